// Where the programs find the data the product ships (schemas), whether they run from the build
// tree or from an installed tree: both lay the executable in bin/ and the data in share/nivra/.
#pragma once

#include <string>

// The folder of the running executable, with a trailing "/"; empty when it cannot be read.
[[nodiscard]] std::string PastaExecutavel();

// The shipped schema folder, with a trailing "/": "schemas/" beside the executable (a portable
// install), else "../share/nivra/schemas/" from it. Returns the first that holds
// consStatServ_v4.00.xsd; empty when none does.
[[nodiscard]] std::string PastaSchemasInstalada();
