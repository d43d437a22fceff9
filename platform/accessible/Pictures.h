// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surfaces: what they print, read as text, and what a formula
// picture shows, read as its description.
#pragma once

#include "Texts.h"

#include <optional>

namespace platform {
class PictureBox;
}

namespace platform::accessible {

// The printed lines as static text, or the picture's description for a
// formula picture.
class PictureBoxAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit PictureBoxAccessible(PictureBox* box);

    PictureBox* box() const;

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    int cursorPosition() const override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;

private:
    struct Source {
        std::size_t piece;
        int index;
    };

    QString content() const;
    std::optional<Source> sourceOf(int offset) const;
};

} // namespace platform::accessible
