// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QStringList>

#include <functional>

namespace Tarnwick {

// An editable box whose list is read again each time it drops down (files of
// a directory that may have changed meanwhile); the text typed stays.
class RefillingComboBox final : public QComboBox
{
    Q_OBJECT

public:
    explicit RefillingComboBox(QWidget *parent = nullptr);

    void setSource(std::function<QStringList()> source) { m_source = std::move(source); }
    void refill();
    void showPopup() override;

private:
    std::function<QStringList()> m_source;
};

} // namespace Tarnwick
