// A password kept out of reach.
#include "nivranfe/security/senha_secreta.h"

#include <openssl/crypto.h>
#include <openssl/rand.h>

#include <array>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "nivranfe/security/erro_openssl.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

// The secure heap is set up once per process; where mlock is refused it stays off and
// OPENSSL_secure_malloc falls back to ordinary memory, still wiped on release.
void IniciarHeapSeguro() {
  static const int iniciado = CRYPTO_secure_malloc_init(std::size_t{32} * 1024, 32);
  (void)iniciado;
}

}  // namespace

TSenhaSecreta::TSenhaSecreta(std::string_view texto) {
  IniciarHeapSeguro();
  FTexto = static_cast<char*>(OPENSSL_secure_zalloc(texto.size() + 1));
  if (FTexto == nullptr) throw std::bad_alloc();
  std::memcpy(FTexto, texto.data(), texto.size());
  FTamanho = texto.size();
}

TSenhaSecreta::TSenhaSecreta(TSenhaSecreta&& outra) noexcept
    : FTexto(std::exchange(outra.FTexto, nullptr)), FTamanho(std::exchange(outra.FTamanho, 0)) {}

TSenhaSecreta& TSenhaSecreta::operator=(TSenhaSecreta&& outra) noexcept {
  if (this != &outra) {
    Liberar();
    FTexto = std::exchange(outra.FTexto, nullptr);
    FTamanho = std::exchange(outra.FTamanho, 0);
  }
  return *this;
}

TSenhaSecreta::~TSenhaSecreta() { Liberar(); }

void TSenhaSecreta::Liberar() noexcept {
  if (FTexto != nullptr) OPENSSL_secure_clear_free(FTexto, FTamanho + 1);
  FTexto = nullptr;
  FTamanho = 0;
}

TSenhaSecreta TSenhaSecreta::Aleatoria() {
  static constexpr char kAlfabeto[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  constexpr std::size_t kBytes = 32;
  constexpr std::size_t kCaracteres = (kBytes * 8 + 5) / 6;  // 43, six bits each
  std::array<unsigned char, kBytes> bytes{};
  if (RAND_priv_bytes(bytes.data(), static_cast<int>(bytes.size())) != 1)
    throw ENivraDFeException("Falha ao gerar a senha do certificado. Erro: " + UltimoErroOpenSSL());
  TSenhaSecreta senha(std::string(kCaracteres, 'A'));
  for (std::size_t i = 0; i < kCaracteres; ++i) {
    // Bits 6i to 6i+5 of the random bytes, read big-endian across byte boundaries.
    const std::size_t bit = i * 6;
    const unsigned par = (static_cast<unsigned>(bytes[bit / 8]) << 8U) |
                         (bit / 8 + 1 < kBytes ? bytes[bit / 8 + 1] : 0U);
    senha.FTexto[i] = kAlfabeto[(par >> (10 - bit % 8)) & 0x3FU];
  }
  OPENSSL_cleanse(bytes.data(), bytes.size());
  return senha;
}

}  // namespace nivra
