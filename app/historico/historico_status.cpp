// The SQLite history: opening with recovery, recording, reading and retention.
#include "app/historico/historico_status.h"

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <utility>

namespace nivra {

namespace {

constexpr int64_t kMsPorDia = 86400000;

const char* const kEsquema = R"(
CREATE TABLE IF NOT EXISTS respostas(
  id INTEGER PRIMARY KEY,
  instante INTEGER NOT NULL,
  fuso INTEGER NOT NULL,
  autorizador TEXT NOT NULL,
  uf TEXT NOT NULL,
  ambiente INTEGER NOT NULL,
  modelo TEXT NOT NULL,
  cstat INTEGER NOT NULL,
  xmotivo TEXT NOT NULL,
  tmed INTEGER NOT NULL,
  consulta_ms REAL NOT NULL,
  falha TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS respostas_por_autorizador ON respostas(autorizador, instante);
CREATE INDEX IF NOT EXISTS respostas_por_instante ON respostas(instante);
)";

struct TFinalizar {
  void operator()(sqlite3_stmt* comando) const { sqlite3_finalize(comando); }
};
using TComando = std::unique_ptr<sqlite3_stmt, TFinalizar>;

TComando Preparar(sqlite3* banco, const char* sql) {
  sqlite3_stmt* comando = nullptr;
  if (sqlite3_prepare_v2(banco, sql, -1, &comando, nullptr) != SQLITE_OK) {
    sqlite3_finalize(comando);
    return nullptr;
  }
  return TComando(comando);
}

void Ligar(sqlite3_stmt* comando, int indice, const std::string& texto) {
  sqlite3_bind_text(comando, indice, texto.data(), static_cast<int>(texto.size()),
                    SQLITE_TRANSIENT);
}

std::string Coluna(sqlite3_stmt* comando, int indice) {
  const auto* texto = sqlite3_column_text(comando, indice);
  return texto ? reinterpret_cast<const char*>(texto) : "";
}

// The single text a pragma answers, or "" when it fails.
std::string Pragma(sqlite3* banco, const char* sql) {
  TComando comando = Preparar(banco, sql);
  if (!comando || sqlite3_step(comando.get()) != SQLITE_ROW) return {};
  return Coluna(comando.get(), 0);
}

bool Corrompido(int codigo) {
  return (codigo & 0xFF) == SQLITE_CORRUPT || (codigo & 0xFF) == SQLITE_NOTADB;
}

}  // namespace

THistoricoStatus::THistoricoStatus(std::string caminho, std::ostream& registro, int esperaMs)
    : FOriginal(std::move(caminho)), FRegistro(registro), FEsperaMs(esperaMs) {
  Abrir();
}

THistoricoStatus::~THistoricoStatus() { Fechar(); }

std::string THistoricoStatus::Caminho() const { return FCaminho; }

void THistoricoStatus::Fechar() {
  sqlite3_close_v2(FBanco);
  FBanco = nullptr;
  FCaminho.clear();
}

void THistoricoStatus::Registrar(const std::string& texto) {
  FRegistro << "histórico: " << texto << std::endl;
}

bool THistoricoStatus::AbrirArquivo(const std::string& caminho, int& codigo) {
  std::error_code erro;
  const std::filesystem::path pasta = std::filesystem::path(caminho).parent_path();
  if (!pasta.empty()) std::filesystem::create_directories(pasta, erro);
  codigo =
      sqlite3_open_v2(caminho.c_str(), &FBanco,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
  if (codigo == SQLITE_OK) {
    sqlite3_busy_timeout(FBanco, FEsperaMs);
    // WAL with NORMAL synchronisation: a commit survives the death of the process at once
    // and a power cut after the next checkpoint; the file always opens consistent.
    if (Pragma(FBanco, "PRAGMA journal_mode=WAL") != "wal" ||
        sqlite3_exec(FBanco, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK ||
        Pragma(FBanco, "PRAGMA quick_check") != "ok" ||
        sqlite3_exec(FBanco, kEsquema, nullptr, nullptr, nullptr) != SQLITE_OK) {
      codigo = sqlite3_extended_errcode(FBanco);
      if (codigo == SQLITE_OK) codigo = SQLITE_CORRUPT;
    }
  }
  if (codigo != SQLITE_OK) {
    Registrar(caminho + ": " + sqlite3_errstr(codigo));
    sqlite3_close_v2(FBanco);
    FBanco = nullptr;
    return false;
  }
  FCaminho = caminho;
  return true;
}

void THistoricoStatus::Abrir() {
  int codigo = SQLITE_OK;
  if (!AbrirArquivo(FOriginal, codigo)) Recuperar(codigo);
}

void THistoricoStatus::Recuperar(int codigo) {
  Fechar();
  std::string fresco = FOriginal + "." + std::to_string(::getpid());
  if (Corrompido(codigo)) {
    // The damaged file and its journals are kept aside for inspection; a new file takes the
    // usual place.
    const std::string aparte = FOriginal + ".corrompido-" + std::to_string(InstanteAtual().UnixMs);
    std::error_code erro;
    std::filesystem::rename(FOriginal, aparte, erro);
    if (!erro) {
      for (const char* sufixo : {"-wal", "-shm"}) {
        std::error_code semJornal;
        std::filesystem::rename(FOriginal + sufixo, aparte + sufixo, semJornal);
      }
      Registrar("arquivo danificado guardado como " + aparte);
      fresco = FOriginal;
    }
  }
  int novoCodigo = SQLITE_OK;
  if (AbrirArquivo(fresco, novoCodigo))
    Registrar("continuando em " + fresco);
  else
    Registrar("histórico desligado até o próximo início");
}

bool THistoricoStatus::Inserir(const TRegistroStatus& r) {
  static const char* const kInserir =
      "INSERT INTO respostas(instante, fuso, autorizador, uf, ambiente, modelo, cstat, xmotivo, "
      "tmed, consulta_ms, falha) VALUES(?,?,?,?,?,?,?,?,?,?,?)";
  TComando comando = Preparar(FBanco, kInserir);
  if (!comando) return false;
  sqlite3_stmt* c = comando.get();
  sqlite3_bind_int64(c, 1, r.Momento.UnixMs);
  sqlite3_bind_int(c, 2, r.Momento.FusoMinutos);
  Ligar(c, 3, r.Autorizador);
  Ligar(c, 4, r.UF);
  sqlite3_bind_int(c, 5, r.Ambiente);
  Ligar(c, 6, r.Modelo);
  sqlite3_bind_int(c, 7, r.cStat);
  Ligar(c, 8, r.xMotivo);
  sqlite3_bind_int(c, 9, r.tMed);
  sqlite3_bind_double(c, 10, r.ConsultaMs);
  Ligar(c, 11, r.Falha);
  return sqlite3_step(c) == SQLITE_DONE;
}

bool THistoricoStatus::Gravar(const TRegistroStatus& registro) {
  const std::lock_guard trava(FTrava);
  for (int tentativa = 0; FBanco && tentativa < 2; ++tentativa) {
    if (Inserir(registro)) {
      if (!FUltimaLimpezaMs || registro.Momento.UnixMs - *FUltimaLimpezaMs >= kMsPorDia) {
        FUltimaLimpezaMs = registro.Momento.UnixMs;
        ApagarAntigos(registro.Momento.UnixMs);
      }
      return true;
    }
    const int codigo = sqlite3_extended_errcode(FBanco);
    Registrar(FCaminho + ": " + sqlite3_errmsg(FBanco));
    Recuperar(codigo);
  }
  if (!FBanco) Registrar("resposta não gravada: nenhum arquivo de histórico aberto");
  return false;
}

std::vector<TRegistroStatus> THistoricoStatus::Consultar(const std::string& autorizador,
                                                         int64_t desdeMs, int64_t ateMs) {
  const std::lock_guard trava(FTrava);
  std::vector<TRegistroStatus> registros;
  if (!FBanco) return registros;
  TComando comando = Preparar(
      FBanco,
      "SELECT instante, fuso, autorizador, uf, ambiente, modelo, cstat, xmotivo, tmed, "
      "consulta_ms, falha FROM respostas WHERE (?1 = '' OR autorizador = ?1) AND instante >= ?2 "
      "AND instante < ?3 ORDER BY instante, id");
  if (!comando) {
    Registrar(FCaminho + ": " + sqlite3_errmsg(FBanco));
    return registros;
  }
  sqlite3_stmt* c = comando.get();
  Ligar(c, 1, autorizador);
  sqlite3_bind_int64(c, 2, desdeMs);
  sqlite3_bind_int64(c, 3, ateMs);
  int passo = SQLITE_ROW;
  while ((passo = sqlite3_step(c)) == SQLITE_ROW) {
    registros.push_back({{sqlite3_column_int64(c, 0), sqlite3_column_int(c, 1)},
                         Coluna(c, 2),
                         Coluna(c, 3),
                         sqlite3_column_int(c, 4),
                         Coluna(c, 5),
                         sqlite3_column_int(c, 6),
                         Coluna(c, 7),
                         sqlite3_column_int(c, 8),
                         sqlite3_column_double(c, 9),
                         Coluna(c, 10)});
  }
  if (passo != SQLITE_DONE) Registrar(FCaminho + ": " + sqlite3_errmsg(FBanco));
  return registros;
}

std::vector<std::string> THistoricoStatus::Autorizadores() {
  const std::lock_guard trava(FTrava);
  std::vector<std::string> nomes;
  if (!FBanco) return nomes;
  TComando comando =
      Preparar(FBanco, "SELECT DISTINCT autorizador FROM respostas ORDER BY autorizador");
  while (comando && sqlite3_step(comando.get()) == SQLITE_ROW)
    nomes.push_back(Coluna(comando.get(), 0));
  return nomes;
}

int64_t THistoricoStatus::Limpar(int64_t agoraMs) {
  const std::lock_guard trava(FTrava);
  return ApagarAntigos(agoraMs);
}

int64_t THistoricoStatus::ApagarAntigos(int64_t agoraMs) {
  if (!FBanco) return 0;
  TComando comando = Preparar(FBanco, "DELETE FROM respostas WHERE instante < ?");
  if (!comando) return 0;
  sqlite3_bind_int64(comando.get(), 1, agoraMs - kDiasRetencao * kMsPorDia);
  if (sqlite3_step(comando.get()) != SQLITE_DONE) {
    Registrar(FCaminho + ": " + sqlite3_errmsg(FBanco));
    return 0;
  }
  return sqlite3_changes64(FBanco);
}

}  // namespace nivra
