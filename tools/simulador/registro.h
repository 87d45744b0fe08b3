// The request log of sefaz-simulador (--registro): every request appended to a file in a form
// a test can read back.
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace nivra {

// One request as it reached the server.
struct TPedidoRegistrado {
  std::string Metodo;
  std::string Caminho;
  std::string Versao;  // "HTTP/1.1"
  std::vector<std::pair<std::string, std::string>> Cabecalhos;
  std::string Corpo;
};

// Appends requests to one file, each written and flushed whole before the next. Safe to call
// from several threads at once.
class TRegistro {
 public:
  // Opens arquivo for appending (creating it). Throws std::runtime_error with a Portuguese
  // message when it cannot be opened.
  explicit TRegistro(const std::string& arquivo);
  TRegistro(const TRegistro&) = delete;
  TRegistro& operator=(const TRegistro&) = delete;

  // Writes the request as record number n (counted from 1 per file opening):
  //   PEDIDO <n> <method> <path> <version>\n
  //   <Name>: <value>\n   (one per header)
  //   CORPO <byte count>\n
  //   <body bytes>\n
  //   \n
  // Throws std::runtime_error when the write or the flush fails.
  void Acrescentar(const TPedidoRegistrado& pedido);

 private:
  struct TFecharArquivo {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::mutex FTrava;
  std::unique_ptr<std::FILE, TFecharArquivo> FArquivo;
  int FContador = 0;
};

}  // namespace nivra
