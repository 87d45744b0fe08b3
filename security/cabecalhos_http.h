// The header lines of a SOAP request: Host, Content-Type, Accept-Charset and SOAPAction.
#pragma once

#include <string>
#include <vector>

#include "nivranfe/security/url_partes.h"

namespace nivra {

// Whether the URL's protocol (any letter case) is "https".
[[nodiscard]] bool URLSegura(const TURLPartes& url);

// The port the request connects to: the URL's port, or 443 (secure) or 80 when it is empty.
// Throws ENivraWinReqResp when the port is not a number from 1 to 65535.
[[nodiscard]] int PortaDaURL(const TURLPartes& url);

// The value of the Host header: the host (an IPv6 literal in brackets), followed by ":" and
// the port text unless the port is the scheme's default ("443" secure, "80" plain) or empty.
[[nodiscard]] std::string ValorHost(const TURLPartes& url);

// The header lines, without line ends, in the order they are sent: "Host: ", "Content-Type: "
// with the mime type, "; charset=" and the charsets, "Accept-Charset: " with the charsets, and,
// only when `SOAPAction` is not empty, "SOAPAction: " with the action in double quotes.
[[nodiscard]] std::vector<std::string> CabecalhosRequisicao(const TURLPartes& url,
                                                            const std::string& MimeType,
                                                            const std::string& Charsets,
                                                            const std::string& SOAPAction);

}  // namespace nivra
