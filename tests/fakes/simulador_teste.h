// Runs the built sefaz-simulador for a test (TProcessoFilho): started with the test PKI on a
// free port, stopped and reaped when the object goes away, so no process outlives a failed test.
#pragma once

#include <signal.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/processo_filho.h"
#include "tools/simulador/registro.h"

#ifndef NIVRA_SIMULADOR
#error "NIVRA_SIMULADOR must name the built sefaz-simulador (nivra_add_test ... SIMULADOR)"
#endif

namespace nivra {

class TSimuladorTeste {
 public:
  // Starts the simulator with --cert/--chave servidor.pem/.key and --ca-clientes ca.pem of the
  // test PKI, --porta 0, --registro ArquivoRegistro() and then argumentos (a later option
  // overrides an earlier one). Waits up to 10 s for its "ouvindo em" line. Throws
  // std::runtime_error when it exits or stays silent instead.
  explicit TSimuladorTeste(const std::vector<std::string>& argumentos = {})
      : FProcesso(Comando(argumentos)) {
    constexpr std::string_view kPronto = "ouvindo em ";
    const std::string& linha = FProcesso.PrimeiraLinha();
    if (!linha.starts_with(kPronto))
      throw std::runtime_error("sefaz-simulador não iniciou: \"" + linha + "\"");
    FURL = linha.substr(kPronto.size());
    FPorta = std::stoi(FURL.substr(FURL.rfind(':') + 1));
  }
  TSimuladorTeste(const TSimuladorTeste&) = delete;
  TSimuladorTeste& operator=(const TSimuladorTeste&) = delete;

  // "https://127.0.0.1:PORT", as the simulator printed it.
  const std::string& URL() const { return FURL; }
  int Porta() const { return FPorta; }

  // The file every request is appended to (see tools/simulador/registro.h for its form).
  std::string ArquivoRegistro() const { return FPasta.Caminho() + "registro.txt"; }

  // The requests recorded so far, in order of arrival.
  std::vector<TPedidoRegistrado> Pedidos() const {
    return LerRegistro(TPastaTemporaria::Ler(ArquivoRegistro()));
  }

  // Stops the simulator as TProcessoFilho::Parar does and returns its exit status.
  int Parar(int sinal = SIGTERM) { return FProcesso.Parar(sinal); }

  // The records of a registro text; throws std::runtime_error when it is malformed.
  static std::vector<TPedidoRegistrado> LerRegistro(std::string_view texto) {
    std::vector<TPedidoRegistrado> pedidos;
    while (!texto.empty()) {
      TPedidoRegistrado p;
      std::string_view linha = Linha(texto);
      if (!linha.starts_with("PEDIDO ")) {
        throw std::runtime_error("registro sem PEDIDO");
      }
      linha.remove_prefix(linha.find(' ', 7) + 1);
      const size_t espaco1 = linha.find(' ');
      const size_t espaco2 = linha.rfind(' ');
      p.Metodo = linha.substr(0, espaco1);
      p.Caminho = linha.substr(espaco1 + 1, espaco2 - espaco1 - 1);
      p.Versao = linha.substr(espaco2 + 1);
      for (linha = Linha(texto); !linha.starts_with("CORPO "); linha = Linha(texto)) {
        const size_t separador = linha.find(": ");
        if (separador == std::string_view::npos) {
          throw std::runtime_error("registro com cabeçalho malformado");
        }
        p.Cabecalhos.emplace_back(linha.substr(0, separador), linha.substr(separador + 2));
      }
      const size_t tamanho = std::stoul(std::string(linha.substr(6)));
      if (texto.size() < tamanho + 2) {
        throw std::runtime_error("registro com corpo incompleto");
      }
      p.Corpo = texto.substr(0, tamanho);
      texto.remove_prefix(tamanho + 2);
      pedidos.push_back(std::move(p));
    }
    return pedidos;
  }

 private:
  // The simulator's command line: the test PKI, a free port, the record file, then
  // `argumentos`.
  std::vector<std::string> Comando(const std::vector<std::string>& argumentos) const {
    const std::string pki = PastaPKITeste();
    std::vector<std::string> todos{NIVRA_SIMULADOR,
                                   "--cert",
                                   pki + "servidor.pem",
                                   "--chave",
                                   pki + "servidor.key",
                                   "--ca-clientes",
                                   pki + "ca.pem",
                                   "--porta",
                                   "0",
                                   "--registro",
                                   ArquivoRegistro()};
    todos.insert(todos.end(), argumentos.begin(), argumentos.end());
    return todos;
  }

  // The next line of texto (consumed with its "\n"); throws at the end of the text.
  static std::string_view Linha(std::string_view& texto) {
    const size_t fim = texto.find('\n');
    if (fim == std::string_view::npos) {
      throw std::runtime_error("registro truncado");
    }
    const std::string_view linha = texto.substr(0, fim);
    texto.remove_prefix(fim + 1);
    return linha;
  }

  TPastaTemporaria FPasta;
  TProcessoFilho FProcesso;
  std::string FURL;
  int FPorta = 0;
};

}  // namespace nivra
