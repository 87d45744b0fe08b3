// The request log of sefaz-simulador.
#include "tools/simulador/registro.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace nivra {

TRegistro::TRegistro(const std::string& arquivo) : FArquivo(std::fopen(arquivo.c_str(), "ab")) {
  if (!FArquivo) {
    throw std::runtime_error("Não foi possível abrir o arquivo de registro \"" + arquivo +
                             "\": " + std::strerror(errno));
  }
}

void TRegistro::Acrescentar(const TPedidoRegistrado& pedido) {
  const std::lock_guard<std::mutex> trava(FTrava);
  std::string texto = "PEDIDO " + std::to_string(++FContador) + " " + pedido.Metodo + " " +
                      pedido.Caminho + " " + pedido.Versao + "\n";
  for (const auto& [nome, valor] : pedido.Cabecalhos) {
    texto += nome + ": " + valor + "\n";
  }
  texto += "CORPO " + std::to_string(pedido.Corpo.size()) + "\n" + pedido.Corpo + "\n\n";
  if (std::fwrite(texto.data(), 1, texto.size(), FArquivo.get()) != texto.size() ||
      std::fflush(FArquivo.get()) != 0) {
    throw std::runtime_error(std::string("Falha ao gravar o registro: ") + std::strerror(errno));
  }
}

}  // namespace nivra
