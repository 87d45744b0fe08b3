// A PKCS#11 module for tests: the SoftHSM2 module with every user login answered as if the
// token's PIN were blocked (CKR_PIN_LOCKED), a state SoftHSM2 itself never reaches.
#include <dlfcn.h>
#include <p11-kit/pkcs11.h>

namespace {

CK_FUNCTION_LIST Funcoes;

CK_RV LoginBloqueado(CK_SESSION_HANDLE, CK_USER_TYPE, CK_UTF8CHAR_PTR, CK_ULONG) {
  return CKR_PIN_LOCKED;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) CK_RV C_GetFunctionList(
    CK_FUNCTION_LIST_PTR_PTR lista) {
  static void* const real = dlopen("/usr/lib/softhsm/libsofthsm2.so", RTLD_NOW | RTLD_LOCAL);
  if (real == nullptr) return CKR_GENERAL_ERROR;
  auto* obter = reinterpret_cast<CK_C_GetFunctionList>(dlsym(real, "C_GetFunctionList"));
  CK_FUNCTION_LIST_PTR original = nullptr;
  if (obter == nullptr || obter(&original) != CKR_OK) return CKR_GENERAL_ERROR;
  Funcoes = *original;
  Funcoes.C_Login = &LoginBloqueado;
  *lista = &Funcoes;
  return CKR_OK;
}
