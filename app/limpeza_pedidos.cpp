// The status query's saved pairs, found by name and removed by age.
#include "app/limpeza_pedidos.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace nivra {

namespace {

constexpr std::size_t kDigitos = 14;

// Whether `nome` is a status file: 14 digits, then one of the status query's suffixes.
bool ArquivoDeStatus(const std::string& nome) {
  if (nome.size() <= kDigitos || !std::all_of(nome.begin(), nome.begin() + kDigitos,
                                              [](unsigned char c) { return std::isdigit(c) != 0; }))
    return false;
  const std::string resto = nome.substr(kDigitos);
  for (const char* sufixo : {"-ped-sta.xml", "-sta.xml", "-ped-sta-soap.xml", "-sta-soap.xml"})
    if (resto == sufixo) return true;
  return false;
}

}  // namespace

std::size_t LimparPedidosStatus(const std::string& pasta, TDateTime agora, int dias,
                                std::ostream& registro) {
  if (dias <= 0) return 0;
  // The stamps are local date-times of fixed width: their text order is their time order.
  const std::string limite = FormatarDataHora("yyyymmddhhnnss", agora - dias);
  std::size_t removidos = 0;
  std::error_code erro;
  std::filesystem::directory_iterator item(pasta, erro);
  if (erro) {
    if (erro != std::errc::no_such_file_or_directory)
      registro << "limpeza: " << pasta << ": " << erro.message() << std::endl;
    return 0;
  }
  for (; item != std::filesystem::directory_iterator(); item.increment(erro)) {
    const std::string nome = item->path().filename().string();
    if (!ArquivoDeStatus(nome) || nome.substr(0, kDigitos) >= limite) continue;
    std::error_code erroArquivo;
    if (item->is_regular_file(erroArquivo) && std::filesystem::remove(item->path(), erroArquivo))
      ++removidos;
    else if (erroArquivo)
      registro << "limpeza: " << item->path().string() << ": " << erroArquivo.message()
               << std::endl;
  }
  if (erro) registro << "limpeza: " << pasta << ": " << erro.message() << std::endl;
  return removidos;
}

}  // namespace nivra
