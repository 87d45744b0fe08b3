// libsecret (and the GLib calls that go with it) loaded when the keyring is first used, so a
// program that never touches the keyring does not load GLib and D-Bus support at start-up.
#pragma once

#include <libsecret/secret.h>

#include <string>

namespace nivra {

// The calls the keyring makes, taken from libsecret and the GLib it loads.
struct TFuncoesSecret {
  decltype(&g_error_free) ErrorFree;
  decltype(&g_object_unref) ObjectUnref;
  decltype(&g_bus_get_sync) BusGetSync;
  decltype(&g_dbus_connection_call_sync) DBusConnectionCallSync;
  decltype(&g_variant_builder_init) VariantBuilderInit;
  decltype(&g_variant_builder_add) VariantBuilderAdd;
  decltype(&g_variant_new) VariantNew;
  decltype(&g_variant_get_child_value) VariantGetChildValue;
  decltype(&g_variant_n_children) VariantNChildren;
  decltype(&g_variant_unref) VariantUnref;
  decltype(&secret_service_get_sync) ServiceGetSync;
  decltype(&secret_password_lookup_nonpageable_sync) PasswordLookupNonpageableSync;
  decltype(&secret_password_store_sync) PasswordStoreSync;
  decltype(&secret_password_clear_sync) PasswordClearSync;
  decltype(&secret_password_free) PasswordFree;
};

// The calls, loaded on the first call of the process (thread-safe) and kept until it ends.
// Null when libsecret or one of the calls cannot be loaded; the reason is then in
// `ErroBibliotecaSecret`. Never throws.
[[nodiscard]] const TFuncoesSecret* FuncoesSecret();
// Why FuncoesSecret returned null (empty when it did not).
[[nodiscard]] const std::string& ErroBibliotecaSecret();

}  // namespace nivra
