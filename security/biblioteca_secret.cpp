// Loading libsecret on first use.
#include "nivranfe/security/biblioteca_secret.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

namespace nivra {

namespace {

// The library's run-time name (the package libsecret-1-0).
constexpr const char* kBiblioteca = "libsecret-1.so.0";

std::string gErro;

// Sets `destino` to the symbol `nome` of `biblioteca` (or of the libraries it loaded); false,
// with the reason in gErro, when it is missing.
template <class T>
bool Carregar(void* biblioteca, const char* nome, T& destino) {
  void* simbolo = dlsym(biblioteca, nome);
  if (simbolo == nullptr) {
    gErro = std::string("função ") + nome + " ausente em " + kBiblioteca;
    return false;
  }
  destino = reinterpret_cast<T>(simbolo);
  return true;
}

bool CarregarTodas(void* b, TFuncoesSecret& f) {
  return Carregar(b, "g_error_free", f.ErrorFree) && Carregar(b, "g_object_unref", f.ObjectUnref) &&
         Carregar(b, "g_bus_get_sync", f.BusGetSync) &&
         Carregar(b, "g_dbus_connection_call_sync", f.DBusConnectionCallSync) &&
         Carregar(b, "g_variant_builder_init", f.VariantBuilderInit) &&
         Carregar(b, "g_variant_builder_add", f.VariantBuilderAdd) &&
         Carregar(b, "g_variant_new", f.VariantNew) &&
         Carregar(b, "g_variant_get_child_value", f.VariantGetChildValue) &&
         Carregar(b, "g_variant_n_children", f.VariantNChildren) &&
         Carregar(b, "g_variant_unref", f.VariantUnref) &&
         Carregar(b, "secret_service_get_sync", f.ServiceGetSync) &&
         Carregar(b, "secret_password_lookup_nonpageable_sync", f.PasswordLookupNonpageableSync) &&
         Carregar(b, "secret_password_store_sync", f.PasswordStoreSync) &&
         Carregar(b, "secret_password_clear_sync", f.PasswordClearSync) &&
         Carregar(b, "secret_password_free", f.PasswordFree);
}

}  // namespace

const TFuncoesSecret* FuncoesSecret() {
  static TFuncoesSecret funcoes;
  static bool carregadas = false;
  static std::once_flag feito;
  std::call_once(feito, [] {
    // Never closed: GLib keeps threads and types registered for the rest of the process.
    void* biblioteca = dlopen(kBiblioteca, RTLD_NOW | RTLD_LOCAL);
    if (biblioteca == nullptr) {
      const char* motivo = dlerror();
      gErro = std::string("não foi possível carregar ") + kBiblioteca + ": " +
              (motivo != nullptr ? motivo : "motivo desconhecido");
      return;
    }
    carregadas = CarregarTodas(biblioteca, funcoes);
  });
  return carregadas ? &funcoes : nullptr;
}

const std::string& ErroBibliotecaSecret() { return gErro; }

}  // namespace nivra
