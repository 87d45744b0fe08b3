// The error numbers of the HTTP request objects and their texts. Failures of the HTTP library
// are reported with the numbers of the WinHTTP message table, so the messages read the same
// on every platform; any other failure keeps libcurl's own number and text.
#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <string>

namespace nivra {

namespace ErroHTTP {
inline constexpr uint32_t TimeOut = 12002;
inline constexpr uint32_t NomeNaoResolvido = 12007;
inline constexpr uint32_t SemConexao = 12029;
inline constexpr uint32_t ConexaoEncerrada = 12030;
inline constexpr uint32_t ConexaoRedefinida = 12031;
inline constexpr uint32_t CanalSeguro = 12157;
inline constexpr uint32_t CertificadoServidor = 12175;
inline constexpr uint32_t CertificadoSemChave = 12185;
inline constexpr uint32_t ChavePrivadaInacessivel = 12186;
}  // namespace ErroHTTP

// The number a libcurl result is reported with: a WinHTTP number of the message table where
// one fits, else the libcurl code itself. 0 for CURLE_OK.
[[nodiscard]] uint32_t CodigoErroHTTP(CURLcode resultado);

// The description of an error number: libcurl's text for a libcurl code that has no WinHTTP
// number, the message table's text for a WinHTTP number of the table, empty otherwise.
[[nodiscard]] std::string DescricaoErroHTTP(uint32_t codigo);

// "Erro: " and the number in unsigned decimal, followed by " - " and the description when
// there is one.
[[nodiscard]] std::string TextoErroHTTP(uint32_t codigo);

}  // namespace nivra
