// A method window not yet filled in: its caption, size and background, and
// working quit and menu buttons.
#pragma once

#include "platform/Form.h"
#include "platform/MMControl.h"

namespace shell {

class PlaceholderWindow : public platform::Form {
    Q_OBJECT
public:
    PlaceholderWindow(const char* name, const QString& caption, platform::Twips clientArea,
                      std::optional<rt::Colour> background = {});

    platform::CommandButton* Command1; // 終了
    platform::CommandButton* Command3; // メニュー
    platform::MMControl* MMControl1;

    void Command1_Click();
    void Command3_Click();

protected:
    QPushButton* quitButton() const override { return Command1; }
};

} // namespace shell
