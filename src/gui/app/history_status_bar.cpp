#include "gui/app/history_status_bar.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <chrono>

#include "core/session/history_status.h"
#include "gui/session/draw_session.h"

namespace {

std::chrono::sys_days today()
{
    const QDate date = QDate::currentDate();
    return std::chrono::sys_days{std::chrono::year(date.year()) /
                                 static_cast<unsigned>(date.month()) /
                                 static_cast<unsigned>(date.day())};
}

}  // namespace

HistoryStatusBar::HistoryStatusBar(QStatusBar& bar, DrawSession& session)
    : QObject(&bar), m_session(session)
{
    m_status = new QLabel(&bar);
    m_status->setObjectName(QStringLiteral("historyStatus"));
    m_hint = new QLabel(&bar);
    m_hint->setObjectName(QStringLiteral("historyHint"));
    m_update = new QPushButton(QStringLiteral("当選データ最新化"), &bar);
    m_update->setObjectName(QStringLiteral("historyUpdate"));
    m_update->setFlat(true);
    m_update->setCursor(Qt::PointingHandCursor);
    m_notice = new QLabel(&bar);
    m_notice->setObjectName(QStringLiteral("reloadNotice"));
    bar.addWidget(m_status);
    bar.addWidget(m_hint);
    bar.addWidget(m_update);
    bar.addWidget(m_notice, 1);
    m_hint->hide();
    m_update->hide();
    connect(m_update, &QPushButton::clicked, this, &HistoryStatusBar::updateRequested);
    connect(&m_session, &DrawSession::historyChanged, this, &HistoryStatusBar::showHistoryStatus);
    connect(&m_session, &DrawSession::changedOutside, this, &HistoryStatusBar::showReloadedOutside);
}

void HistoryStatusBar::showHistoryStatus()
{
    const HistoryStatus status = historyStatus(m_session.history(), today());
    m_status->setText(QString::fromStdString(historyStatusText(status)));
    m_hint->setText(QString::fromStdString(historyStaleHint(status)));
    m_hint->setVisible(status.probablyBehind);
    m_update->setVisible(status.probablyBehind);
}

void HistoryStatusBar::showReloadedOutside()
{
    m_notice->setText(QStringLiteral("当選データを読み直しました（第%1回まで）")
                          .arg(m_session.tables().LatestDrawNo));
    QTimer::singleShot(kNoticeMilliseconds, m_notice, &QLabel::clear);
}
