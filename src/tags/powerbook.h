// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabWidget>

namespace Tarnwick {

class TagInserter;

// The tool notebook of the tool panel, hidden until a page is open. The
// tool pages insert through the inserter they are given.
class PowerBook final : public QTabWidget
{
    Q_OBJECT

public:
    explicit PowerBook(TagInserter *inserter, QWidget *parent = nullptr);
};

} // namespace Tarnwick
