#include "gui_support/message_box_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

MessageBoxWatcher::MessageBoxWatcher(QMessageBox::StandardButton answer) : m_answer(answer)
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        QAbstractButton* defaultButton = box->defaultButton();
        m_seen.push_back(
            {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
             defaultButton ? box->standardButton(defaultButton) : QMessageBox::NoButton});
        QAbstractButton* button = box->button(m_answer);
        if (!button) button = box->button(QMessageBox::Ok);
        if (button)
            button->click();
        else
            box->done(QMessageBox::Ok);
    });
    m_timer.start(10);
}

QStringList MessageBoxWatcher::texts() const
{
    QStringList texts;
    for (const SeenMessage& message : m_seen)
        texts << message.text;
    return texts;
}
