// The monitor's folders, portable or per user.
#include "app/locais_monitor.h"

#include <unistd.h>

#include <cstdlib>

#include "nivranfe/util/arquivos.h"

namespace nivra {

namespace {

const char* const kNomePrograma = "monitor-sefaz/";
const char* const kPastaSchemasPortatil = "ve310/";
// The installed data folder, from the folder of the installed program.
const char* const kPastaDadosInstalados = "../share/nivra/";

}  // namespace

TLocaisMonitor LocaisMonitor(const TAmbienteLocais& ambiente,
                             const std::function<bool(const std::string&)>& pastaExiste) {
  const std::string& exe = ambiente.PastaExecutavel;
  // The schemas beside the program mark a portable install (or the build tree); without them
  // the program was installed into a prefix and keeps the user's files in the XDG folders.
  const bool portatil = pastaExiste(exe + kPastaSchemasPortatil);
  const bool aoLado = portatil && ambiente.ExecutavelGravavel;
  TLocaisMonitor locais;
  if (!ambiente.DirConfig.empty())
    locais.PastaConfig = CaminhoComBarra(ambiente.DirConfig);
  else if (aoLado)
    locais.PastaConfig = exe;
  else
    locais.PastaConfig =
        PastaXdg(ambiente.XdgConfigHome, ambiente.Home, ".config/") + kNomePrograma;

  const std::string dados =
      aoLado ? exe : PastaXdg(ambiente.XdgDataHome, ambiente.Home, ".local/share/") + kNomePrograma;
  locais.PastaDocs = dados + "Docs/";
  locais.ArquivoHistorico = dados + "historico.sqlite3";

  locais.PastaSchemas = PastaSchemasDoPrograma(exe, pastaExiste);
  if (!portatil) locais.ArquivoServicos = exe + kPastaDadosInstalados + "NivraNFeServicos.ini";
  return locais;
}

std::string PastaSchemasDoPrograma(const std::string& pastaExecutavel,
                                   const std::function<bool(const std::string&)>& pastaExiste) {
  const std::string aoLado = pastaExecutavel + kPastaSchemasPortatil;
  return pastaExiste(aoLado) ? aoLado : pastaExecutavel + kPastaDadosInstalados + "schemas/";
}

std::string ArquivoInicioAutomatico(const TAmbienteLocais& ambiente) {
  return PastaXdg(ambiente.XdgConfigHome, ambiente.Home, ".config/") +
         "autostart/monitor-sefaz.desktop";
}

TAmbienteLocais AmbienteDoProcesso(const std::string& dirConfig) {
  TAmbienteLocais ambiente;
  ambiente.PastaExecutavel = PastaDoExecutavel();
  ambiente.ExecutavelGravavel = ::access(ambiente.PastaExecutavel.c_str(), W_OK) == 0;
  ambiente.DirConfig = dirConfig;
  ambiente.XdgConfigHome = VariavelAmbiente("XDG_CONFIG_HOME");
  ambiente.XdgDataHome = VariavelAmbiente("XDG_DATA_HOME");
  ambiente.Home = VariavelAmbiente("HOME");
  return ambiente;
}

}  // namespace nivra
