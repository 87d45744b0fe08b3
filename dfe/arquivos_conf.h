// The file group of the configuration: where saved XML, schemas and the services file live,
// and how document folders are built from a base folder.
#pragma once

#include <memory>
#include <string>

#include "nivranfe/dfe/ordenacao_path.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

class TConfiguracoes;
class TDFeSSL;

// File settings. The path getters store the defaults they compute, so they are not const.
class TArquivosConf {
 public:
  // AConfiguracoes is the root that owns the group and outlives it.
  // ASSL is the security facade this group keeps in step with its settings; it and
  // AConfiguracoes outlive the group.
  TArquivosConf(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL);
  TArquivosConf(const TArquivosConf&) = delete;
  TArquivosConf& operator=(const TArquivosConf&) = delete;
  virtual ~TArquivosConf();

  // Copies PathSalvar, PathSchemas, IniServicos (as the source's getters return them, which
  // stores the source's defaults), Salvar, AdicionarLiteral, SepararPorCNPJ, SepararPorModelo,
  // SepararPorMes, SepararPorDia and the items of OrdenacaoPath. SepararPorAno is not copied.
  virtual void Assign(TArquivosConf& DeArquivosConf);

  // Returns the document folder: APath (or PathSalvar when empty) followed by the levels of
  // OrdenacaoPath, which is filled from the SepararPor* and AdicionarLiteral options when it is
  // empty. Data 0 means now. Creates the folder when missing; a failure to create it is left to
  // show when a file is written there. Throws only what reading the certificate's CNPJ throws.
  virtual std::string GetPath(const std::string& APath, const std::string& ALiteral,
                              const std::string& CNPJ = "", TDateTime Data = 0,
                              const std::string& ModeloDescr = "");

  // Base folder of saved XML, trimmed and with a trailing "/"; empty means the executable's
  // folder + "Docs" (stored on first read). Throws when the executable's folder is unknown.
  std::string PathSalvar();
  void SetPathSalvar(const std::string& Valor) { FPathSalvar = Valor; }
  // Schema folder, trimmed and with a trailing "/"; empty means the executable's folder +
  // "Schemas" when it exists, else the installed data folder's "schemas" when that exists, else
  // the executable's folder + "Schemas" (stored on first read). A relative folder stays relative.
  std::string PathSchemas();
  void SetPathSchemas(const std::string& Valor) { FPathSchemas = Valor; }
  // Services file; empty means WebServices.ResourceName + ".ini" in the executable's folder when
  // it exists there, else in the installed data folder when it exists there, else in the
  // executable's folder (stored on first read; a missing file means the embedded table).
  std::string IniServicos();
  void SetIniServicos(const std::string& Valor) { FIniServicos = Valor; }

  // Save the documents themselves.
  bool Salvar() const { return FSalvar; }
  void SetSalvar(bool Valor) { FSalvar = Valor; }
  bool AdicionarLiteral() const { return FAdicionarLiteral; }
  void SetAdicionarLiteral(bool Valor) { FAdicionarLiteral = Valor; }
  bool SepararPorCNPJ() const { return FSepararPorCNPJ; }
  void SetSepararPorCNPJ(bool Valor) { FSepararPorCNPJ = Valor; }
  bool SepararPorModelo() const { return FSepararPorModelo; }
  void SetSepararPorModelo(bool Valor) { FSepararPorModelo = Valor; }
  TOrdenacaoPath& OrdenacaoPath() { return *FOrdenacaoPath; }
  const TOrdenacaoPath& OrdenacaoPath() const { return *FOrdenacaoPath; }
  bool SepararPorAno() const { return FSepararPorAno; }
  void SetSepararPorAno(bool Valor) { FSepararPorAno = Valor; }
  bool SepararPorMes() const { return FSepararPorMes; }
  // Turning it off also turns SepararPorDia off.
  void SetSepararPorMes(bool Valor);
  bool SepararPorDia() const { return FSepararPorDia; }
  // Turning it on also turns SepararPorMes on.
  void SetSepararPorDia(bool Valor);

 protected:
  TConfiguracoes& Configuracoes() const { return fpConfiguracoes; }

 private:
  // Fills OrdenacaoPath from the options that are on.
  void PreencherOrdenacaoPath();
  // The letters and digits of the level's CNPJ: those of CNPJ, else those of the configured
  // certificate's.
  std::string CaracteresCNPJ(const std::string& CNPJ);

  TConfiguracoes& fpConfiguracoes;
  TDFeSSL& FSSL;
  std::string FPathSalvar;
  std::string FPathSchemas;
  std::string FIniServicos;
  bool FSalvar = true;
  bool FAdicionarLiteral = false;
  bool FSepararPorCNPJ = false;
  bool FSepararPorModelo = false;
  std::unique_ptr<TOrdenacaoPath> FOrdenacaoPath;
  bool FSepararPorAno = false;
  bool FSepararPorMes = false;
  bool FSepararPorDia = false;
};

}  // namespace nivra
