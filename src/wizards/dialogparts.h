// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/prompter.h"

#include <QSpinBox>
#include <QString>

#include <functional>

// Small pieces the generator dialogs build their forms and questions from.
namespace Tarnwick::DialogParts {

// A widget under the object name tests and settings find it by.
template<typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

inline QSpinBox *spin(QWidget *parent, const char *name, int low, int high, int value)
{
    auto *box = named(new QSpinBox(parent), name);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

// The save question before unsaved work is left. Yes saves and goes on only
// when the save went through (a cancelled or failed save keeps the dialog
// open); No goes on; Cancel stays.
inline bool goOnAfterSaveQuestion(Prompter &prompter, const QString &question,
                                  const std::function<bool()> &save)
{
    switch (
        prompter.message(Prompter::Kind::Confirmation, question, Prompter::Buttons::YesNoCancel)) {
    case Prompter::Answer::Yes:
        return save();
    case Prompter::Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace Tarnwick::DialogParts
