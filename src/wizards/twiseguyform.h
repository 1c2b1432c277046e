// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

namespace Tarnwick {

class EditorControl;
class GuidedNotebook;

// "The Vaza Ded": a guide that starts a new page and then walks the Web
// Effects notebook tab by tab, explaining each. Its only markup is the
// credit line it leaves on the page it started.
class TWiseGuyForm final : public QDialog
{
    Q_OBJECT

public:
    struct Context
    {
        EditorControl *editor = nullptr;
        std::function<GuidedNotebook *()> notebook; // made by its owner on first use
        std::function<void()> newPage; // the New command
        std::function<QString()> currentPage; // the active page's file name, empty for none
        std::function<void()> refreshPreview;
    };

    // Where the credit line points: the program's home page.
    static const QString homePage;
    static QString creditLine();

    explicit TWiseGuyForm(Context context, QWidget *parent = nullptr);
    ~TWiseGuyForm() override;

    // Shows the greeting, not blocking, on top at the screen's top left; a
    // guide already showing is brought to the front as it is.
    void showGuide();

    void StartClick();
    void NextClick();
    void PrevClick();
    void CloseClick();

    QLabel *label(int number) const; // 1 to 3

    // Closing by any means ends the guided run.
    void done(int result) override;

private:
    GuidedNotebook *notebook() const;
    // The notebook of a started run, guided and shown again if the user closed it.
    GuidedNotebook *guidedNotebook();
    void showTabTexts(GuidedNotebook *book);
    void setTexts(const QString &first, const QString &second, const QString &third);
    void endGuidedRun();

    Context m_context;
    QLabel *m_labels[3];
    QLabel *m_picture;
    QPushButton *m_start;
    QPushButton *m_prev;
    QPushButton *m_next;
    QPushButton *m_close;
    bool m_started = false;
    QString m_startedPage; // active after Start's New; the credit goes only there
};

} // namespace Tarnwick
