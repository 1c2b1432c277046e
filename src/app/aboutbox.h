// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace Tarnwick {

class AboutBox final : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(const QString &programDirectory, QWidget *parent = nullptr);
};

} // namespace Tarnwick
