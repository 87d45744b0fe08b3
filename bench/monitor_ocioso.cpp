// Reading the monitor's memory, CPU time and wake-ups from /proc.
#include "bench/monitor_ocioso.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "bench/processo.h"

namespace nivra {

namespace {

struct TAmostra {
  long Ticks = 0;
  long Trocas = 0;
};

// The value of a "Nome:  123 kB" line of a /proc status file; 0 when absent.
long CampoStatus(const std::filesystem::path& arquivo, const std::string& nome) {
  std::ifstream entrada(arquivo);
  for (std::string linha; std::getline(entrada, linha);)
    if (linha.starts_with(nome + ":")) return std::stol(linha.substr(nome.size() + 1));
  return 0;
}

// CPU ticks (utime + stime) and context switches summed over every thread of the process.
TAmostra Amostrar(pid_t pid) {
  TAmostra amostra;
  const std::filesystem::path tarefas = "/proc/" + std::to_string(pid) + "/task";
  for (const auto& tarefa : std::filesystem::directory_iterator(tarefas)) {
    std::ifstream stat(tarefa.path() / "stat");
    std::string texto((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name, which sits in parentheses and may hold spaces.
    std::istringstream campos(texto.substr(texto.rfind(')') + 2));
    std::string campo;
    long utime = 0;
    long stime = 0;
    for (int i = 3; i <= 15 && campos >> campo; ++i) {
      if (i == 14) utime = std::stol(campo);
      if (i == 15) stime = std::stol(campo);
    }
    amostra.Ticks += utime + stime;
    amostra.Trocas += CampoStatus(tarefa.path() / "status", "voluntary_ctxt_switches") +
                      CampoStatus(tarefa.path() / "status", "nonvoluntary_ctxt_switches");
  }
  return amostra;
}

}  // namespace

TMonitorOcioso MedirMonitorOcioso(const TAmbienteBench& ambiente, double janelaS) {
  const std::string config = ambiente.Pasta() + "monitor/";
  std::filesystem::create_directories(config);
  std::ofstream(config + "conf.qvl")
      << "[config]\ncertificado=" << TAmbienteBench::NumeroSerie() << "\nUF=PR\n";
  TProcessoAberto monitor(
      {NIVRA_MONITOR_SEFAZ, "--servicos", ambiente.ServicosRapido(), "--dir-config", config,
       "--painel"},
      {"QT_QPA_PLATFORM=offscreen", "NIVRA_CERT_STORE=" + TAmbienteBench::Repositorio(),
       "NIVRA_SENHA=", "XDG_DATA_HOME=" + ambiente.Pasta() + "dados"});
  if (!monitor.EsperarErro("consulta: 107", 20000))
    throw std::runtime_error("monitor-sefaz não respondeu à primeira consulta");
  std::this_thread::sleep_for(std::chrono::seconds(1));

  const TAmostra antes = Amostrar(monitor.Pid());
  std::this_thread::sleep_for(std::chrono::duration<double>(janelaS));
  const TAmostra depois = Amostrar(monitor.Pid());
  TMonitorOcioso medida;
  medida.RSSMiB = static_cast<double>(
                      CampoStatus("/proc/" + std::to_string(monitor.Pid()) + "/status", "VmRSS")) /
                  1024.0;
  medida.CPUMs = static_cast<double>(depois.Ticks - antes.Ticks) * 1000.0 /
                 static_cast<double>(::sysconf(_SC_CLK_TCK));
  medida.Despertares = depois.Trocas - antes.Trocas;
  medida.JanelaS = janelaS;
  return medida;
}

}  // namespace nivra
