// Where the monitor keeps its settings file and saved documents and finds its schemas: beside
// the executable for a portable install, else in the user's XDG folders.
#pragma once

#include <functional>
#include <string>

namespace nivra {

// What the locations depend on.
struct TAmbienteLocais {
  std::string PastaExecutavel;  // with a trailing "/"
  bool ExecutavelGravavel = false;
  std::string DirConfig;  // the --dir-config option; empty when not given
  std::string XdgConfigHome;
  std::string XdgDataHome;
  std::string Home;
};

// The folders, each with a trailing "/".
struct TLocaisMonitor {
  std::string PastaConfig;
  std::string PastaDocs;
  // The history of answers, in the folder that holds PastaDocs.
  std::string ArquivoHistorico;
  std::string PastaSchemas;
  // The services table of an installed program; empty for a portable one (which uses the
  // file beside it, else the embedded table).
  std::string ArquivoServicos;
};

// A portable program has its schemas in "ve310" beside it (`pastaExiste` tells); any other was
// installed into a prefix. Settings: the --dir-config folder when given, else the executable's
// folder when the program is portable and the folder writable, else
// $XDG_CONFIG_HOME/monitor-sefaz (default ~/.config). Documents: "Docs" beside a portable
// program in a writable folder, else $XDG_DATA_HOME/monitor-sefaz/Docs (default
// ~/.local/share); the history "historico.sqlite3" beside the documents' folder. Schemas: "ve310"
// beside a portable program, else the installed data folder
// ../share/nivra/schemas next to the executable's folder, where an installed program also
// finds its services table NivraNFeServicos.ini. Relative XDG values are ignored, as the XDG
// rules ask. Never throws except on allocation.
[[nodiscard]] TLocaisMonitor LocaisMonitor(
    const TAmbienteLocais& ambiente, const std::function<bool(const std::string&)>& pastaExiste);

// The shipped schema folder of a program whose executable lies in `pastaExecutavel`: "ve310/"
// beside it when `pastaExiste` says so (a portable install or the build tree), else the installed
// data folder "../share/nivra/schemas/" next to it. Never throws except on allocation.
[[nodiscard]] std::string PastaSchemasDoPrograma(
    const std::string& pastaExecutavel, const std::function<bool(const std::string&)>& pastaExiste);

// The monitor's autostart entry: $XDG_CONFIG_HOME/autostart/monitor-sefaz.desktop (default
// ~/.config; a relative value is ignored). Never throws except on allocation.
[[nodiscard]] std::string ArquivoInicioAutomatico(const TAmbienteLocais& ambiente);

// The environment of this process: /proc/self/exe, write access to its folder and the XDG
// variables. Throws ENivraDFeException when the executable's folder cannot be told.
[[nodiscard]] TAmbienteLocais AmbienteDoProcesso(const std::string& dirConfig);

}  // namespace nivra
