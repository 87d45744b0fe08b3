// A real Secret Service for tests: gnome-keyring-daemon on a private D-Bus session bus
// (dbus-run-session) with a throw-away home, its login keyring created and unlocked with a known
// password. The bus has no service files, so nothing else is started on it and an unlock prompt
// fails at once instead of waiting for a desktop. The process's DBUS_SESSION_BUS_ADDRESS points
// at it while the object lives.
#pragma once

#include <fcntl.h>
#include <libsecret/secret.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/variavel_ambiente.h"

extern char** environ;

namespace nivra {

class TChaveiroTeste {
 public:
  static constexpr const char* kSenhaChaveiro = "senha-do-chaveiro-de-teste";

  TChaveiroTeste() {
    for (const char* pasta : {"home", "dados", "run"})
      std::filesystem::create_directories(FBase.Caminho() + pasta);
    std::filesystem::permissions(FBase.Caminho() + "run", std::filesystem::perms::owner_all);
    TPastaTemporaria::Escrever(FBase.Caminho() + "bus.conf", kConfiguracaoBarramento);
    const std::string endereco = FBase.Caminho() + "run/endereco";
    FProcesso = Iniciar({"dbus-run-session", "--config-file=" + FBase.Caminho() + "bus.conf", "--",
                         "sh", "-c",
                         "printf %s \"$DBUS_SESSION_BUS_ADDRESS\" > '" + endereco +
                             ".tmp' && mv '" + endereco + ".tmp' '" + endereco +
                             "' && exec gnome-keyring-daemon --foreground --unlock "
                             "--components=secrets"});
    if (!Esperar([&] { return std::filesystem::exists(endereco); }))
      throw std::runtime_error("o barramento D-Bus de teste não iniciou");
    FEndereco = TPastaTemporaria::Ler(endereco);
    FBarramento =
        std::make_unique<TVariavelAmbiente>("DBUS_SESSION_BUS_ADDRESS", FEndereco.c_str());
    if (!Esperar([] {
          SecretService* servico = Servico();
          if (servico != nullptr) g_object_unref(servico);
          return servico != nullptr;
        }))
      throw std::runtime_error("gnome-keyring-daemon não respondeu no barramento de teste");
    // The process outlives this bus: its end must not end the process, as GLib's default for the
    // session bus would.
    GDBusConnection* conexao = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (conexao != nullptr) {
      g_dbus_connection_set_exit_on_close(conexao, FALSE);
      g_object_unref(conexao);
    }
  }
  TChaveiroTeste(const TChaveiroTeste&) = delete;
  TChaveiroTeste& operator=(const TChaveiroTeste&) = delete;
  ~TChaveiroTeste() {
    // The whole group: dbus-run-session, its bus and the keyring daemon.
    ::kill(-FProcesso, SIGTERM);
    int estado = 0;
    ::waitpid(FProcesso, &estado, 0);
  }

  // Locks the login keyring, as the desktop does after a while or when the screen locks.
  void Trancar() const {
    SecretService* servico = Servico();
    GError* erro = nullptr;
    SecretCollection* colecao = secret_collection_for_alias_sync(
        servico, SECRET_COLLECTION_DEFAULT, SECRET_COLLECTION_NONE, nullptr, &erro);
    if (colecao == nullptr) throw std::runtime_error("coleção padrão do chaveiro não encontrada");
    GList* lista = g_list_append(nullptr, colecao);
    const gint trancados = secret_service_lock_sync(servico, lista, nullptr, nullptr, &erro);
    g_list_free(lista);
    g_object_unref(colecao);
    g_object_unref(servico);
    if (trancados != 1) throw std::runtime_error("o chaveiro de teste não foi trancado");
  }

  // Unlocks it with its password, as the desktop's login does: through GNOME Keyring's own
  // call for it, with the password in a plain Secret Service session of this private bus.
  void Destrancar() const {
    GDBusConnection* conexao = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (conexao == nullptr) throw std::runtime_error("sem barramento de teste");
    GVariant* sessao =
        Chamar(conexao, "/org/freedesktop/secrets", "org.freedesktop.Secret.Service", "OpenSession",
               g_variant_new("(sv)", "plain", g_variant_new_string("")));
    const gchar* caminho = nullptr;
    g_variant_get(sessao, "(v&o)", nullptr, &caminho);
    const std::string senha = kSenhaChaveiro;
    GVariant* segredo = g_variant_new(
        "(o@ay@ays)", caminho, g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, "", 0, 1),
        g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, senha.data(), senha.size(), 1),
        "text/plain");
    GVariant* resposta = Chamar(
        conexao, "/org/freedesktop/secrets",
        "org.gnome.keyring.InternalUnsupportedGuiltRiddenInterface", "UnlockWithMasterPassword",
        g_variant_new("(o@(oayays))", "/org/freedesktop/secrets/collection/login", segredo));
    g_variant_unref(resposta);
    g_variant_unref(sessao);
    g_object_unref(conexao);
  }

  // The labels of the items the keyring holds for the serial, locked or not, asked of the
  // service itself.
  std::vector<std::string> Rotulos(const std::string& numeroSerie) const {
    GDBusConnection* conexao = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (conexao == nullptr) throw std::runtime_error("sem barramento de teste");
    GVariantBuilder atributos;
    g_variant_builder_init(&atributos, G_VARIANT_TYPE("a{ss}"));
    g_variant_builder_add(&atributos, "{ss}", "xdg:schema", "nivranfe.Certificado");
    g_variant_builder_add(&atributos, "{ss}", "serie", numeroSerie.c_str());
    GVariant* achados =
        Chamar(conexao, "/org/freedesktop/secrets", "org.freedesktop.Secret.Service", "SearchItems",
               g_variant_new("(a{ss})", &atributos));
    std::vector<std::string> rotulos;
    for (gsize lista = 0; lista < 2; ++lista) {  // unlocked, then locked
      GVariant* caminhos = g_variant_get_child_value(achados, lista);
      for (gsize i = 0; i < g_variant_n_children(caminhos); ++i) {
        GVariant* caminho = g_variant_get_child_value(caminhos, i);
        GVariant* rotulo = Chamar(conexao, g_variant_get_string(caminho, nullptr),
                                  "org.freedesktop.DBus.Properties", "Get",
                                  g_variant_new("(ss)", "org.freedesktop.Secret.Item", "Label"));
        GVariant* valor = nullptr;
        g_variant_get(rotulo, "(v)", &valor);
        rotulos.emplace_back(g_variant_get_string(valor, nullptr));
        g_variant_unref(valor);
        g_variant_unref(rotulo);
        g_variant_unref(caminho);
      }
      g_variant_unref(caminhos);
    }
    g_variant_unref(achados);
    g_object_unref(conexao);
    return rotulos;
  }

  // The throw-away home of the daemon, where its keyring files are.
  std::string Home() const { return FBase.Caminho() + "home/"; }

 private:
  static constexpr const char* kConfiguracaoBarramento = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

  // The service with a session open, or null while none answers (nothing is kept: libsecret
  // keeps its own).
  static SecretService* Servico() {
    return secret_service_get_sync(SECRET_SERVICE_OPEN_SESSION, nullptr, nullptr);
  }

  // Calls `metodo` of the keyring's object `objeto`; throws when it fails.
  static GVariant* Chamar(GDBusConnection* conexao, const char* objeto, const char* interface,
                          const char* metodo, GVariant* parametros) {
    GError* erro = nullptr;
    GVariant* resposta = g_dbus_connection_call_sync(conexao, "org.freedesktop.secrets", objeto,
                                                     interface, metodo, parametros, nullptr,
                                                     G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, &erro);
    if (resposta == nullptr) {
      const std::string mensagem = erro != nullptr ? erro->message : "?";
      if (erro != nullptr) g_error_free(erro);
      throw std::runtime_error(std::string(metodo) + ": " + mensagem);
    }
    return resposta;
  }

  template <typename Condicao>
  static bool Esperar(Condicao pronto) {
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < limite) {
      if (pronto()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  // Starts `argumentos` at the head of a process group of its own, with the throw-away home, the
  // keyring's password on its standard input and its output in a log file of the home.
  pid_t Iniciar(const std::vector<std::string>& argumentos) const {
    std::vector<std::string> ambiente = {
        "HOME=" + Home(), "XDG_DATA_HOME=" + FBase.Caminho() + "dados",
        "XDG_RUNTIME_DIR=" + FBase.Caminho() + "run", "PATH=" + std::string(::getenv("PATH"))};
    int canal[2];
    if (::pipe(canal) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_adddup2(&acoes, canal[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&acoes, canal[1]);
    const std::string log = Home() + "chaveiro.log";
    posix_spawn_file_actions_addopen(&acoes, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&acoes, STDOUT_FILENO, STDERR_FILENO);
    posix_spawnattr_t atributos;
    posix_spawnattr_init(&atributos);
    posix_spawnattr_setflags(&atributos, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&atributos, 0);
    std::vector<char*> argv;
    for (const std::string& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& a : ambiente) envp.push_back(const_cast<char*>(a.c_str()));
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int erro = ::posix_spawnp(&pid, argv[0], &acoes, &atributos, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&acoes);
    posix_spawnattr_destroy(&atributos);
    ::close(canal[0]);
    if (erro == 0) {
      const std::string senha = kSenhaChaveiro;
      (void)!::write(canal[1], senha.data(), senha.size());
    }
    ::close(canal[1]);
    if (erro != 0) throw std::runtime_error("não foi possível iniciar " + argumentos[0]);
    return pid;
  }

  TPastaTemporaria FBase;
  pid_t FProcesso = 0;
  std::string FEndereco;
  std::unique_ptr<TVariavelAmbiente> FBarramento;
};

}  // namespace nivra
