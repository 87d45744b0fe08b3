// The history of status answers: one SQLite file in WAL mode that several processes may write
// (the monitor, status-sefaz --historico). A file that is locked, read-only or corrupt never
// stops the caller: the reason goes to the log and the history goes on in a fresh file.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/historico/registro_status.h"

struct sqlite3;

namespace nivra {

class THistoricoStatus {
 public:
  // Answers older than this are dropped.
  static constexpr int kDiasRetencao = 400;

  // Opens (creating it and its folder when missing) the history at `caminho`; problems are
  // written, one line each, to `registro`, which must outlive the object. A corrupt file is
  // renamed to "<caminho>.corrompido-<ms>" and a new one takes its place; a file that is locked
  // longer than `esperaMs` or cannot be written leaves the history in "<caminho>.<pid>" beside
  // it. When no file can be opened at all, Gravar only logs. Never throws except on allocation.
  THistoricoStatus(std::string caminho, std::ostream& registro, int esperaMs = 1000);
  ~THistoricoStatus();
  THistoricoStatus(const THistoricoStatus&) = delete;
  THistoricoStatus& operator=(const THistoricoStatus&) = delete;

  // The file in use (empty when none could be opened).
  [[nodiscard]] std::string Caminho() const;

  // Records one answer in its own transaction; drops the answers older than kDiasRetencao
  // before the record's moment at the first record and then once a day. A failure is logged
  // and the record tried once more in a fresh file. Returns whether it was stored. Never
  // throws except on allocation. Safe to call from several threads.
  bool Gravar(const TRegistroStatus& registro);

  // The answers of `autorizador` (every authoriser when empty) with desdeMs <= moment < ateMs,
  // oldest first; empty when the history cannot be read (the reason is logged).
  [[nodiscard]] std::vector<TRegistroStatus> Consultar(const std::string& autorizador,
                                                       int64_t desdeMs, int64_t ateMs);
  // The authorisers that have answers, in alphabetical order.
  [[nodiscard]] std::vector<std::string> Autorizadores();

  // Drops the answers older than kDiasRetencao days before `agoraMs`; returns how many.
  int64_t Limpar(int64_t agoraMs);

 private:
  // Opens `caminho` as the history; false (with the connection closed) on any failure, whose
  // SQLite code goes to `codigo`.
  bool AbrirArquivo(const std::string& caminho, int& codigo);
  // The original file when it opens; else a fresh one as the class comment says.
  void Abrir();
  // After a failure of `codigo`: the fresh file the class comment says.
  void Recuperar(int codigo);
  void Fechar();
  bool Inserir(const TRegistroStatus& registro);
  int64_t ApagarAntigos(int64_t agoraMs);
  void Registrar(const std::string& texto);

  std::string FOriginal;
  std::ostream& FRegistro;
  int FEsperaMs;
  std::string FCaminho;
  sqlite3* FBanco = nullptr;
  std::optional<int64_t> FUltimaLimpezaMs;
  std::mutex FTrava;
};

}  // namespace nivra
