#include "gui/maintenance/update_source_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
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

    auto* box = new QGroupBox(QStringLiteral("当選データ最新化の取得先"), this);
    m_source = new QLineEdit(QString::fromStdString(loadUpdateSource(settingsFile)), box);
    m_source->setObjectName(QStringLiteral("updateSource"));
    m_source->setMinimumWidth(420);
    m_default = new QPushButton(QStringLiteral("既定に戻す(&D)"), box);
    connect(m_default, &QPushButton::clicked, this,
            [this] { m_source->setText(QString::fromStdString(defaultUpdateSource())); });
    auto* hint = new QLabel(
        QStringLiteral("当選データベース（.mdb）か CSV ファイル（.csv）のアドレス、またはサーバーの"
                       "アドレス（http:// か https:// で始まるもの）を入れます。\n"
                       "CSV ファイルは取り込む前に内容を確認できます。"),
        box);
    hint->setWordWrap(true);
    auto* line = new QHBoxLayout;
    line->addWidget(m_source, 1);
    line->addWidget(m_default);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(line);
    boxLayout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &UpdateSourceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(buttons);
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
