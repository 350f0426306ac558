// Window test of Qt's own dialogs in the program: once the program's start-up has loaded Qt's
// Japanese texts, a standard message box and the file dialog show Japanese labels and buttons.
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "gui/app/program.h"

namespace {

// The texts of every label and button inside dialog, joined, to look words up in.
QString visibleTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text();
    return texts.join(QLatin1Char('|'));
}

}  // namespace

class StandardDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(installQtTranslations(*qApp)); }

    void messageBoxButtons_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("button");
        QTest::addColumn<QString>("word");
        QTest::newRow("yes") << QMessageBox::Yes << QStringLiteral("はい");
        QTest::newRow("no") << QMessageBox::No << QStringLiteral("いいえ");
        QTest::newRow("cancel") << QMessageBox::Cancel << QStringLiteral("キャンセル");
        QTest::newRow("save") << QMessageBox::Save << QStringLiteral("保存");
    }
    void messageBoxButtons()
    {
        QFETCH(QMessageBox::StandardButton, button);
        QFETCH(QString, word);
        QMessageBox box(QMessageBox::Question, QStringLiteral("ポムランLite"),
                        QStringLiteral("購入記録に追加しますか？"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel |
                            QMessageBox::Save);
        box.show();
        QVERIFY(box.button(button));
        QVERIFY2(box.button(button)->text().contains(word), qPrintable(box.button(button)->text()));
    }

    void fileDialogLabels_data()
    {
        QTest::addColumn<QFileDialog::AcceptMode>("mode");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("open") << QFileDialog::AcceptOpen
                              << QStringList{QStringLiteral("開く"), QStringLiteral("キャンセル"),
                                             QStringLiteral("ファイル名")};
        QTest::newRow("save") << QFileDialog::AcceptSave
                              << QStringList{QStringLiteral("保存"), QStringLiteral("キャンセル")};
    }
    void fileDialogLabels()
    {
        QFETCH(QFileDialog::AcceptMode, mode);
        QFETCH(QStringList, words);
        // The dialog Qt draws itself, as on a desktop without a file-dialog service.
        QFileDialog dialog(nullptr, QStringLiteral("CSVファイルから取り込み"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(mode);
        dialog.show();
        const QString texts = visibleTexts(dialog);
        for (const QString& word : words)
            QVERIFY2(texts.contains(word), qPrintable(texts));
        QVERIFY2(!texts.contains(QLatin1String("Cancel")), qPrintable(texts));
    }

    void colourDialogButtons()
    {
        QColorDialog dialog;
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        dialog.show();
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QVERIFY2(buttons->button(QDialogButtonBox::Cancel)
                     ->text()
                     .contains(QStringLiteral("キャンセル")),
                 qPrintable(buttons->button(QDialogButtonBox::Cancel)->text()));
    }
};

QTEST_MAIN(StandardDialogsTest)
#include "standard_dialogs_test.moc"
