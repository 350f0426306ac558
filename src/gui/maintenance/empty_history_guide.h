// EmptyHistoryGuide: the short guide the main window shows at start-up while the database holds
// no complete draw, with the three ways to get draws in.
#pragma once

#include <QDialog>

class QPushButton;

inline const QString kEmptyHistoryGuideTitle = QStringLiteral("当選データがありません");

class EmptyHistoryGuide : public QDialog {
    Q_OBJECT
public:
    explicit EmptyHistoryGuide(QWidget* parent = nullptr);

    QPushButton* loadCsvButton() const { return m_loadCsv; }
    QPushButton* typeDrawsButton() const { return m_typeDraws; }
    QPushButton* updateButton() const { return m_update; }

signals:
    // Each button closes the guide and asks the main window for its command.
    void loadCsvRequested();
    void typeDrawsRequested();
    void updateRequested();

private:
    QPushButton* m_loadCsv = nullptr;
    QPushButton* m_typeDraws = nullptr;
    QPushButton* m_update = nullptr;
};
