// UpdateSourceDialog (設定): where 当選データ最新化 fetches the draws from, saved in the
// player's config folder.
#pragma once

#include <QDialog>

#include <filesystem>

class QLabel;
class QLineEdit;

class UpdateSourceDialog : public QDialog {
    Q_OBJECT
public:
    // settingsFile is where the source is read from and saved to.
    explicit UpdateSourceDialog(const std::filesystem::path& settingsFile,
                                QWidget* parent = nullptr);

    QLineEdit* sourceEdit() const { return m_source; }
    // A line above the field saying why the dialog opened (当選データ最新化 without a source).
    void setExplanation(const QString& text);
    QLabel* explanationLabel() const { return m_explanation; }

public slots:
    // Checks and saves the source; a bad one is explained and the dialog stays open.
    void accept() override;

private:
    std::filesystem::path m_settingsFile;
    QLineEdit* m_source = nullptr;
    QLabel* m_explanation = nullptr;
};
