// SPDX-License-Identifier: GPL-3.0-or-later
#include "image.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <thread>

#include "noise.h"

namespace assetgen {

Rgba over(Rgba dst, Rgba src) {
    double a = src.a + dst.a * (1.0 - src.a);
    if (a <= 0.0) {
        return {0, 0, 0, 0};
    }
    double k = dst.a * (1.0 - src.a);
    return {(src.r * src.a + dst.r * k) / a, (src.g * src.a + dst.g * k) / a,
            (src.b * src.a + dst.b * k) / a, a};
}

Image::Image(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void forEachRow(int rows, const std::function<void(int)>& fn) {
    unsigned cores = std::max(1U, std::min(8U, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (unsigned w = 0; w < cores; ++w) {
        workers.emplace_back([&, w] {
            for (int row = static_cast<int>(w); row < rows; row += static_cast<int>(cores)) {
                fn(row);
            }
        });
    }
    for (auto& t : workers) {
        t.join();
    }
}

namespace {

Rgba samplePixel(int x, int y, int w, int h, double faceW, double faceH, int samples,
                 const Painter& painter) {
    double sx = faceW / w, sy = faceH / h;
    double r = 0, g = 0, b = 0, a = 0;
    for (int j = 0; j < samples; ++j) {
        for (int i = 0; i < samples; ++i) {
            double fx = (x + (i + 0.5) / samples) * sx;
            double fy = (h - y - (j + 0.5) / samples) * sy;
            Rgba c = painter({fx, fy});
            r += c.r * c.a;
            g += c.g * c.a;
            b += c.b * c.a;
            a += c.a;
        }
    }
    double n = static_cast<double>(samples) * samples;
    if (a <= 0.0) {
        return {0, 0, 0, 0};
    }
    return {r / a, g / a, b / a, a / n};
}

} // namespace

namespace {

// One sample per pixel first; pixels that differ from a neighbour are then
// supersampled. Smooth areas cost one sample, edges get the full grid.
std::vector<Rgba> adaptive(int w, int h, double faceW, double faceH, int samples,
                           const Painter& painter) {
    std::vector<Rgba> first(static_cast<size_t>(w) * h);
    forEachRow(h, [&](int y) {
        for (int x = 0; x < w; ++x) {
            first[static_cast<size_t>(y) * w + x] =
                samplePixel(x, y, w, h, faceW, faceH, 1, painter);
        }
    });
    if (samples <= 1) {
        return first;
    }
    std::vector<Rgba> out(first.size());
    forEachRow(h, [&](int y) {
        for (int x = 0; x < w; ++x) {
            const Rgba& c = first[static_cast<size_t>(y) * w + x];
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy) {
                for (int dx = -1; dx <= 1 && !edge; ++dx) {
                    int nx = std::clamp(x + dx, 0, w - 1), ny = std::clamp(y + dy, 0, h - 1);
                    const Rgba& n = first[static_cast<size_t>(ny) * w + nx];
                    double diff = std::max(std::max(std::abs(n.r - c.r), std::abs(n.g - c.g)),
                                           std::max(std::abs(n.b - c.b), std::abs(n.a - c.a)));
                    edge = diff > 0.04;
                }
            }
            out[static_cast<size_t>(y) * w + x] =
                edge ? samplePixel(x, y, w, h, faceW, faceH, samples, painter) : c;
        }
    });
    return out;
}

} // namespace

void paint(Image& image, double faceW, double faceH, int samples, const Painter& painter) {
    int w = image.width(), h = image.height();
    std::vector<Rgba> px = adaptive(w, h, faceW, faceH, samples, painter);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.at(x, y) = px[static_cast<size_t>(y) * w + x];
        }
    }
}

namespace {

// Triangular dither of about one step hides banding in soft gradients.
BYTE toByte(double v, int x, int y, int channel) {
    double d = hashUnit(x, y, channel, 0x5eedU) + hashUnit(x, y, channel, 0xd17eU) - 1.0;
    double q = std::floor(clamp01(v) * 255.0 + 0.5 + d * 0.5);
    return static_cast<BYTE>(std::clamp(q, 0.0, 255.0));
}

} // namespace

bool savePng(const Image& image, const std::string& path, Storage storage, Channels channels) {
    int w = image.width(), h = image.height();
    int bpp = channels == Channels::Rgba ? 32 : 24;
    FIBITMAP* dib = FreeImage_Allocate(w, h, bpp);
    if (dib == nullptr) {
        return false;
    }
    int step = bpp / 8;
    for (int y = 0; y < h; ++y) {
        // FreeImage keeps the bottom scan line first.
        int line = storage == Storage::Upright ? h - 1 - y : y;
        BYTE* bits = FreeImage_GetScanLine(dib, line);
        for (int x = 0; x < w; ++x) {
            const Rgba& c = image.at(x, y);
            BYTE* p = bits + x * step;
            p[FI_RGBA_RED] = toByte(c.r, x, y, 0);
            p[FI_RGBA_GREEN] = toByte(c.g, x, y, 1);
            p[FI_RGBA_BLUE] = toByte(c.b, x, y, 2);
            if (step == 4) {
                // Fully clear and fully solid must stay exact, so no dither here.
                p[FI_RGBA_ALPHA] = static_cast<BYTE>(std::floor(clamp01(c.a) * 255.0 + 0.5));
            }
        }
    }
    bool ok = FreeImage_Save(FIF_PNG, dib, path.c_str(), PNG_Z_DEFAULT_COMPRESSION) != 0;
    FreeImage_Unload(dib);
    return ok;
}

} // namespace assetgen
