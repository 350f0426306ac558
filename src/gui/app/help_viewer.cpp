#include "gui/app/help_viewer.h"

#include "gui/ui/close_child_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// One line per keyword: keyword, a tab, the page (with an optional #anchor) under :/help.
const QString kIndexFile = QStringLiteral(":/help/index.txt");
constexpr int kPageRole = Qt::UserRole;

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("ポムランLite ヘルプ"));

    auto* indexPane = new QWidget;
    auto* label = new QLabel(QStringLiteral("キーワードを入力してください(&K):"));
    m_search = new QLineEdit;
    label->setBuddy(m_search);
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("helpIndex"));
    auto* indexLayout = new QVBoxLayout(indexPane);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(label);
    indexLayout->addWidget(m_search);
    indexLayout->addWidget(m_index);

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("helpPage"));
    m_browser->setOpenExternalLinks(false);

    auto* splitter = new QSplitter;
    splitter->addWidget(indexPane);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 560});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    loadIndex();
    connect(m_index, &QListWidget::currentRowChanged, this, &HelpViewer::showSelectedKeyword);
    connect(m_search, &QLineEdit::textEdited, this, &HelpViewer::selectFirstMatch);
    addEscapeToClose(*this);
    resize(800, 560);
}

void HelpViewer::loadIndex()
{
    QFile file(kIndexFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0) continue;
        auto* item = new QListWidgetItem(line.left(tab).trimmed(), m_index);
        item->setData(kPageRole, QStringLiteral("qrc:/help/") + line.mid(tab + 1).trimmed());
    }
}

bool HelpViewer::showKeyword(const QString& keyword)
{
    const QList<QListWidgetItem*> found = m_index->findItems(keyword, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    m_index->setCurrentItem(found.first());
    m_index->scrollToItem(found.first());
    showSelectedKeyword();
    return true;
}

QString HelpViewer::currentKeyword() const
{
    const QListWidgetItem* item = m_index->currentItem();
    return item ? item->text() : QString();
}

QStringList HelpViewer::keywords() const
{
    QStringList words;
    for (int i = 0; i < m_index->count(); ++i)
        words.append(m_index->item(i)->text());
    return words;
}

QUrl HelpViewer::currentPage() const
{
    return m_browser->source();
}

void HelpViewer::showSelectedKeyword()
{
    const QListWidgetItem* item = m_index->currentItem();
    if (!item) return;
    m_browser->setSource(QUrl(item->data(kPageRole).toString()));
}

void HelpViewer::selectFirstMatch(const QString& text)
{
    // Like a help index: typing moves to the first keyword that starts with the typed text.
    if (text.isEmpty()) return;
    for (int i = 0; i < m_index->count(); ++i) {
        if (m_index->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            m_index->setCurrentRow(i);
            m_index->scrollToItem(m_index->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}
