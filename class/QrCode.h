// SPDX-License-Identifier: GPL-3.0-or-later
// The join link as a QR code a phone's camera reads off the projection:
// crisp square modules on white, with the quiet zone the readers need.
#pragma once

#include <QWidget>

#include <vector>

namespace classroom {

class QrCode : public QWidget {
    Q_OBJECT
public:
    explicit QrCode(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    // Modules per side, without the quiet zone; 0 when nothing is encoded.
    int modules() const { return width_; }
    bool dark(int x, int y) const { return modules_[std::size_t(y * width_ + x)]; }

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    int width_ = 0;
    std::vector<bool> modules_;
};

} // namespace classroom
