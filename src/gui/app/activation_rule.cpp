#include "gui/app/activation_rule.h"

#include <QDialog>
#include <QMenu>
#include <QWidget>

ActivationBetween activationBetween(const QWidget* window)
{
    if (!window) return ActivationBetween::Transient;
    const auto* dialog = qobject_cast<const QDialog*>(window);
    const bool transient = (dialog && dialog->isModal()) ||
                           window->windowModality() != Qt::NonModal ||
                           window->windowType() == Qt::Popup || qobject_cast<const QMenu*>(window);
    return transient ? ActivationBetween::Transient : ActivationBetween::OwnWindow;
}

bool activationRunsPrediction(bool firstActivation, ActivationBetween between)
{
    return firstActivation || between == ActivationBetween::OwnWindow;
}
