// The HTTP role of the security facade. The base class is the "none" choice: it refuses to
// configure or post a request.
#pragma once

#include <string>

namespace nivra {

class TDFeSSL;

class TDFeSSLHttpClass {
 public:
  // `ADFeSSL` is the owning facade and must outlive this object.
  explicit TDFeSSLHttpClass(TDFeSSL& ADFeSSL);
  TDFeSSLHttpClass(const TDFeSSLHttpClass&) = delete;
  TDFeSSLHttpClass& operator=(const TDFeSSLHttpClass&) = delete;
  virtual ~TDFeSSLHttpClass();

  // HTTP status of the last answer; 0 in the base.
  virtual int GetHTTPResultCode();
  // Platform error code of the last send; 0 in the base.
  virtual int GetInternalErrorCode();
  // Copies the facade's settings and the given URL, SOAP action and mime type into the request.
  // Throws ENivraDFeException ("não implementado") in the base.
  virtual void ConfigurarHTTP(const std::string& AURL, const std::string& ASoapAction,
                              const std::string& AMimeType);
  // Posts `ConteudoXML` to `AURL` and returns the answer text. Throws ENivraDFeException on any
  // failure; in the base always ("não implementado").
  virtual std::string Enviar(const std::string& ConteudoXML, const std::string& AURL,
                             const std::string& ASoapAction, const std::string& AMimeType);

  int HTTPResultCode() { return GetHTTPResultCode(); }
  int InternalErrorCode() { return GetInternalErrorCode(); }
  // The owning facade.
  TDFeSSL& DFeSSL() const { return FpDFeSSL; }
  // The run-time class name of this object, as the refusal messages show it.
  std::string ClassName() const;

 protected:
  TDFeSSL& FpDFeSSL;
};

}  // namespace nivra
