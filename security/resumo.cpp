// Message digests through OpenSSL.
#include "nivranfe/security/resumo.h"

#include <openssl/evp.h>

#include "nivranfe/util/excecoes.h"

namespace nivra {

std::string ResumoSHA1(std::string_view dados) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int tamanho = 0;
  if (EVP_Digest(dados.data(), dados.size(), digest, &tamanho, EVP_sha1(), nullptr) != 1)
    throw ENivraDFeException("Erro ao calcular o hash SHA-1");
  return {reinterpret_cast<const char*>(digest), tamanho};
}

}  // namespace nivra
