#pragma once

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/circuit_files.h"
#include "drawing/canvas.h"

// Whether `saved` (read back from a circuit file) shows `original`: the
// same size, every pixel of a drawing colour (background, wires, gates,
// dots) identical, any other pixel within kPaletteTolerance levels a
// channel, as the file writer promises.
inline bool sameWithinPaletteTolerance(const QImage& original, const QImage& saved) {
    using namespace quendal;
    if (original.size() != saved.size()) return false;
    const auto rgb = [](drawing::Rgb c) { return qRgb(c.r, c.g, c.b) & 0x00ffffff; };
    const std::array<QRgb, 6> exact = {0x00ffffff,
                                       rgb(drawing::colours::black),
                                       rgb(drawing::colours::green),
                                       rgb(drawing::colours::navy),
                                       rgb(drawing::colours::blue),
                                       rgb(drawing::colours::red)};
    const QImage a = original.convertToFormat(QImage::Format_RGB32);
    const QImage b = saved.convertToFormat(QImage::Format_RGB32);
    const int tolerance = app::kPaletteTolerance;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb u = p[x] & 0x00ffffff, v = q[x] & 0x00ffffff;
            if (u == v) continue;
            if (std::find(exact.begin(), exact.end(), u) != exact.end()) return false;
            if (std::abs(qRed(u) - qRed(v)) > tolerance ||
                std::abs(qGreen(u) - qGreen(v)) > tolerance ||
                std::abs(qBlue(u) - qBlue(v)) > tolerance)
                return false;
        }
    }
    return true;
}
