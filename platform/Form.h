// SPDX-License-Identifier: GPL-3.0-or-later
// A top-level window of fixed client size given in twips. Shown and hidden,
// never destroyed; Form_Activate runs each time Show makes it the active
// window.
#pragma once

#include "Controls.h"

#include <QWidget>

#include <initializer_list>
#include <optional>

namespace platform {

// The mouse pointers the windows use.
constexpr int vbDefault = 0;
constexpr int vbArrowHourglass = 13;

class Form : public QWidget {
    Q_OBJECT
public:
    // Position and client size in twips; no background means the system's
    // button-face colour.
    Form(const char* name, const QString& caption, Twips clientArea, std::optional<rt::Colour> background = {});

    void Show();
    void Hide();

    // vbDefault or vbArrowHourglass.
    void setMousePointer(int pointer);
    int mousePointer() const { return mousePointer_; }

    // The window most recently made active by Show, if it is still shown.
    static Form* activeForm();
    // How many windows have been created in this process.
    static int createdCount();

    // Shows again the windows the user minimised. Qt's Wayland title bar
    // offers minimise on every window, Wayland never says when a window
    // comes back, and without a task bar nothing would bring it back: the
    // program's next window, its dialogs and the lesson controller do.
    static void restoreMinimised();
    bool minimisedByUser() const { return minimised_; }

protected:
    virtual void Form_Activate() {}
    // The button a close request from the window frame stands for.
    virtual QPushButton* quitButton() const = 0;

    // Keyboard focus moves through these in order; the first enabled one
    // takes focus when the window is first shown.
    void setTabOrder(std::initializer_list<QWidget*> order);
    // The buttons of the window's work in the order a pupil takes them
    // (explanation, start, stop). When the focused button disables itself,
    // the focus goes on to the next of these that is enabled, not round
    // the tab chain to the quit button.
    void setFocusFlow(std::initializer_list<QWidget*> flow);
    bool focusNextPrevChild(bool next) override;

    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeOnScreen();

    Twips design_;
    int mousePointer_ = 0;
    bool placed_ = false;
    bool watched_ = false;
    bool minimised_ = false;
    QList<QWidget*> tabOrder_;
    QList<QWidget*> focusFlow_;
};

} // namespace platform
