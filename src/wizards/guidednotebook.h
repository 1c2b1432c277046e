// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QRect;

namespace Tarnwick {

// A notebook of generators that a page guide can walk through tab by tab.
// The Web Effects notebook is one; the guide knows it only through this, so
// the guide can be tested with a scripted notebook.
class GuidedNotebook
{
public:
    virtual ~GuidedNotebook() = default;

    virtual int tabCount() const = 0;
    virtual int currentTab() const = 0;
    virtual QString tabText(int index) const = 0;

    // While guided the tab strip is disabled, the close button hidden, the
    // notebook shows without blocking, and Add inserts without closing it.
    virtual void setGuided(bool guided) = 0;
    virtual bool isGuided() const = 0;
    // Shows the tab and its notebook page.
    virtual void selectTab(int index) = 0;
    // Rebuilds the current page's markup and shows it in the notebook's preview.
    virtual void refreshPreview() = 0;
    // Shows the notebook, on top and not blocking, 15 pixels to the right of
    // the guide's frame and at its top.
    virtual void showBeside(const QRect &guideFrame) = 0;
    virtual void closeNotebook() = 0;
};

} // namespace Tarnwick
