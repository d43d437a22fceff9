#include "PlaceholderWindow.h"

#include "Form7.h"
#include "Sound.h"
#include "Windows.h"

namespace shell {

using namespace platform;

PlaceholderWindow::PlaceholderWindow(const char* name, const QString& caption, Twips clientArea,
                                     std::optional<rt::Colour> background)
    : Form(name, caption, clientArea, background)
{
    Command1 = new CommandButton(this, "Command1", QStringLiteral("終了"), {0, 0, 855, 375});
    Command3 = new CommandButton(this, "Command3", QStringLiteral("メニュー"), {840, 0, 855, 375});
    MMControl1 = new MMControl(this);
    connect(Command1, &QPushButton::clicked, this, &PlaceholderWindow::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &PlaceholderWindow::Command3_Click);
    setTabOrder({Command1, Command3});
}

void PlaceholderWindow::Command1_Click() { ConfirmQuit(this, *MMControl1); }
void PlaceholderWindow::Command3_Click() { MoveTo(*this, *MMControl1, form7()); }

} // namespace shell
