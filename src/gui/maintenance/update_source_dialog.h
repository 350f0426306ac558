// UpdateSourceDialog (設定): where 当選データ最新化 fetches the draws from, saved in the
// player's config folder.
#pragma once

#include <QDialog>

#include <filesystem>

class QLineEdit;
class QPushButton;

class UpdateSourceDialog : public QDialog {
    Q_OBJECT
public:
    // settingsFile is where the source is read from and saved to.
    explicit UpdateSourceDialog(const std::filesystem::path& settingsFile,
                                QWidget* parent = nullptr);

    QLineEdit* sourceEdit() const { return m_source; }
    QPushButton* defaultButton() const { return m_default; }

public slots:
    // Checks and saves the source; a bad one is explained and the dialog stays open.
    void accept() override;

private:
    std::filesystem::path m_settingsFile;
    QLineEdit* m_source = nullptr;
    QPushButton* m_default = nullptr;
};
