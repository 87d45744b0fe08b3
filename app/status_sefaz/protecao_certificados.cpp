// Protecting and removing the store's certificates from the command line.
#include "app/status_sefaz/protecao_certificados.h"

#include "nivranfe/security/protecao_repositorio.h"

namespace nivra {

int ProtegerCertificados(std::ostream& saida) {
  const TResultadoProtecao resultado =
      ProtegerRepositorioCertificados(TSSLStoreLocation::slCurrentUser);
  for (const std::string& arquivo : resultado.Protegidas) saida << "protegido: " << arquivo << "\n";
  for (const std::string& falha : resultado.Falhas) saida << "falhou: " << falha << "\n";
  saida << resultado.Protegidas.size() << " entrada(s) protegida(s) agora, "
        << resultado.JaProtegidas.size() << " já protegida(s), " << resultado.Falhas.size()
        << " com falha (mantida(s) como estavam).\n";
  return resultado.Falhas.empty() ? 0 : 3;
}

void RemoverCertificado(const std::string& numeroSerie, std::ostream& saida) {
  const TResultadoRemocao resultado = RemoverCertificadoRepositorio(numeroSerie);
  for (const std::string& arquivo : resultado.Arquivos) saida << "removido: " << arquivo << "\n";
  if (!resultado.ChaveiroConsultado)
    saida << "Nenhum chaveiro (Secret Service) responde nesta sessão: a senha do certificado, se "
             "houver, continua nele.\n";
  else if (resultado.ItemChaveiro)
    saida << "Senha do certificado removida do chaveiro.\n";
  else
    saida << "O chaveiro não guardava senha para este certificado.\n";
}

}  // namespace nivra
