// HelpViewer: the program's help, an index of keywords beside the page of the selected keyword.
// The pages and the index are built into the program as resources under :/help.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Selects the keyword in the index and shows its page. A keyword the index lacks changes
    // nothing and gives false: there is no fall-back page.
    bool showKeyword(const QString& keyword);
    QString currentKeyword() const;
    // The keywords in index order.
    QStringList keywords() const;
    QUrl currentPage() const;

private:
    void loadIndex();
    void showSelectedKeyword();
    void selectFirstMatch(const QString& text);

    QLineEdit* m_search = nullptr;
    QListWidget* m_index = nullptr;
    QTextBrowser* m_browser = nullptr;
};
