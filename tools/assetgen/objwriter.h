// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "mesh.h"

namespace assetgen {

enum class FileFrame {
    // The import mirrors z and reverses the winding: write z negated and the
    // corners in reverse order, so both come back as modelled.
    MirroredOnImport,
    // Imported as stored (the lightmapped model).
    AsImported,
};

// The whole file text. Positions are doubled because the import halves them.
// Numbers use fixed six decimals built from integers, independent of locale.
std::string objText(const Mesh& mesh, const std::string& name, FileFrame frame);
std::string formatFixed6(double value);

} // namespace assetgen
