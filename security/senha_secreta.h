// A password kept out of reach: in memory that is locked, left out of core dumps and wiped when
// released.
#pragma once

#include <cstddef>
#include <string_view>

namespace nivra {

// Holds a password (NUL-terminated text) in OpenSSL's secure heap, which is locked in memory and
// excluded from core dumps; where the system refuses that heap, in ordinary memory. The bytes are
// wiped when the object is destroyed or assigned. Move-only, so no stray copy is left behind.
class TSenhaSecreta {
 public:
  TSenhaSecreta() = default;
  // A copy of `texto`. Throws std::bad_alloc when no memory is left.
  explicit TSenhaSecreta(std::string_view texto);
  TSenhaSecreta(TSenhaSecreta&& outra) noexcept;
  TSenhaSecreta& operator=(TSenhaSecreta&& outra) noexcept;
  TSenhaSecreta(const TSenhaSecreta&) = delete;
  TSenhaSecreta& operator=(const TSenhaSecreta&) = delete;
  ~TSenhaSecreta();

  // A new password of 256 random bits from OpenSSL's private generator, as 43 characters of
  // URL-safe Base64. Throws ENivraDFeException when the generator fails.
  [[nodiscard]] static TSenhaSecreta Aleatoria();

  // The text, NUL-terminated; "" when empty. Valid while this object lives unchanged.
  [[nodiscard]] const char* Texto() const { return FTexto == nullptr ? "" : FTexto; }
  [[nodiscard]] std::size_t Tamanho() const { return FTamanho; }
  [[nodiscard]] bool Vazia() const { return FTamanho == 0; }

 private:
  void Liberar() noexcept;

  char* FTexto = nullptr;
  std::size_t FTamanho = 0;
};

}  // namespace nivra
