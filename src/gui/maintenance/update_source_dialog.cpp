#include "gui/maintenance/update_source_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/maintenance/update_source.h"
#include "gui/ui/message_titles.h"

UpdateSourceDialog::UpdateSourceDialog(const std::filesystem::path& settingsFile, QWidget* parent)
    : QDialog(parent), m_settingsFile(settingsFile)
{
    setObjectName(QStringLiteral("UpdateSourceDialog"));
    setWindowTitle(QStringLiteral("設定"));

    m_explanation = new QLabel(this);
    m_explanation->setObjectName(QStringLiteral("updateSourceExplanation"));
    m_explanation->setWordWrap(true);
    m_explanation->hide();

    auto* box = new QGroupBox(QStringLiteral("当選データ最新化の取得先"), this);
    m_source = new QLineEdit(QString::fromStdString(loadUpdateSource(settingsFile)), box);
    m_source->setObjectName(QStringLiteral("updateSource"));
    m_source->setMinimumWidth(420);
    m_source->setPlaceholderText(QStringLiteral("https://example.jp/results.csv"));
    m_source->setClearButtonEnabled(true);
    auto* hint = new QLabel(
        QStringLiteral(
            "抽せん結果の CSV ファイル（.csv）か当選データファイル（.mdb）のアドレス、"
            "またはサーバーのアドレスを、http:// か https:// で始めて入れます。\n"
            "CSV ファイルは取り込む前に内容を確認できます。空にすると取得先はなくなります。"),
        box);
    hint->setWordWrap(true);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_source);
    boxLayout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &UpdateSourceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_explanation);
    layout->addWidget(box);
    layout->addWidget(buttons);
}

void UpdateSourceDialog::setExplanation(const QString& text)
{
    m_explanation->setText(text);
    m_explanation->setVisible(!text.isEmpty());
}

void UpdateSourceDialog::accept()
{
    const std::string source = m_source->text().trimmed().toStdString();
    Status saved =
        source.empty() ? saveUpdateSource(source, m_settingsFile) : checkUpdateSource(source);
    if (saved && !source.empty()) saved = saveUpdateSource(source, m_settingsFile);
    if (!saved) {
        QMessageBox::critical(this, kMessageTitle, QString::fromStdString(saved.error()),
                              QMessageBox::Ok);
        m_source->setFocus();
        return;
    }
    QDialog::accept();
}
