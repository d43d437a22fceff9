// SPDX-License-Identifier: GPL-3.0-or-later
#include "QrCode.h"

#include <QPainter>

#include <qrencode.h>

#include <algorithm>

namespace classroom {

namespace {
constexpr int quietZone = 4; // modules of white around the symbol, as the standard asks
}

QrCode::QrCode(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void QrCode::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    width_ = 0;
    modules_.clear();
    // libqrencode, not an encoder of our own: masks and error correction are easy to get wrong.
    if (QRcode* code = QRcode_encodeString(text.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1)) {
        width_ = code->width;
        modules_.resize(std::size_t(width_ * width_));
        for (int i = 0; i < width_ * width_; ++i)
            modules_[std::size_t(i)] = code->data[i] & 1;
        QRcode_free(code);
    }
    updateGeometry();
    update();
}

QSize QrCode::sizeHint() const { return {220, 220}; }

void QrCode::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // In device pixels, whole ones per module, so that every edge is sharp
    // under a projector's scale too; the rest of the side is quiet zone.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const int side = int(std::min(width(), height()) * ratio);
    painter.fillRect(QRect(0, 0, side, side), Qt::white);
    if (width_ == 0)
        return;
    const int module = std::max(1, side / (width_ + 2 * quietZone));
    const int origin = (side - module * width_) / 2;
    for (int y = 0; y < width_; ++y)
        for (int x = 0; x < width_; ++x)
            if (dark(x, y))
                painter.fillRect(origin + x * module, origin + y * module, module, module, Qt::black);
}

} // namespace classroom
