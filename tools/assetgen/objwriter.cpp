// SPDX-License-Identifier: GPL-3.0-or-later
#include "objwriter.h"

#include <cmath>
#include <cstdlib>

namespace assetgen {

std::string formatFixed6(double value) {
    long long q = std::llround(value * 1000000.0);
    std::string sign = q < 0 ? "-" : "";
    unsigned long long a = static_cast<unsigned long long>(std::llabs(q));
    std::string frac = std::to_string(a % 1000000ULL);
    frac.insert(0, 6 - frac.size(), '0');
    return sign + std::to_string(a / 1000000ULL) + "." + frac;
}

std::string objText(const Mesh& mesh, const std::string& name, FileFrame frame) {
    const bool mirrored = frame == FileFrame::MirroredOnImport;
    const double zSign = mirrored ? -1.0 : 1.0;
    std::string out;
    out += "# Tolva asset generator: " + name + "\n";
    out += "o " + name + "\n";
    for (const auto& v : mesh.vertices) {
        out += "v " + formatFixed6(2.0 * v.position.x) + " " + formatFixed6(2.0 * v.position.y) +
               " " + formatFixed6(2.0 * zSign * v.position.z) + "\n";
    }
    for (const auto& v : mesh.vertices) {
        out += "vt " + formatFixed6(v.uv.x) + " " + formatFixed6(v.uv.y) + "\n";
    }
    for (const auto& v : mesh.vertices) {
        out += "vn " + formatFixed6(v.normal.x) + " " + formatFixed6(v.normal.y) + " " +
               formatFixed6(zSign * v.normal.z) + "\n";
    }
    for (const auto& t : mesh.triangles) {
        std::array<std::uint32_t, 3> c =
            mirrored ? std::array<std::uint32_t, 3>{t[0], t[2], t[1]} : t;
        out += "f";
        for (std::uint32_t i : c) {
            std::string k = std::to_string(i + 1);
            out += " " + k + "/" + k + "/" + k;
        }
        out += "\n";
    }
    return out;
}

} // namespace assetgen
