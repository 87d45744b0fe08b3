// Moving the certificate store's entries under the keyring, and removing an entry.
#include "nivranfe/security/protecao_repositorio.h"

#include <openssl/x509.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "nivranfe/security/certificado_x509.h"
#include "nivranfe/security/repositorio_certificados.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

std::vector<TEntradaRepositorio> Entradas(TSSLStoreLocation local) {
  std::vector<TEntradaRepositorio> entradas;
  if (!LerRepositorioCertificados(local, entradas))
    throw ENivraDFeException("Não foi possível ler o repositório de certificados " +
                             PastaRepositorioCertificados(local));
  return entradas;
}

std::string SerieDe(const TEntradaRepositorio& entrada) {
  return NumeroSerieCertificado(X509_get0_serialNumber(entrada.Conteudo.Certificado.get()));
}

}  // namespace

TResultadoProtecao ProtegerRepositorioCertificados(TSSLStoreLocation local, TChaveiro& chaveiro) {
  if (!chaveiro.Disponivel())
    throw ENivraDFeException(
        "Nenhum chaveiro (Secret Service) responde nesta sessão: os certificados não podem ser "
        "protegidos");
  TResultadoProtecao resultado;
  for (const TEntradaRepositorio& entrada : Entradas(local)) {
    if (entrada.Protegida) {
      resultado.JaProtegidas.push_back(entrada.Arquivo);
      continue;
    }
    try {
      TDadosCertificado dados;
      PreencherDadosCertificado(entrada.Conteudo.Certificado.get(), dados);
      ProtegerEntrada(entrada.Arquivo, entrada.Conteudo, dados, chaveiro);
      resultado.Protegidas.push_back(entrada.Arquivo);
    } catch (const ENivraDFeException& e) {
      resultado.Falhas.push_back(entrada.Arquivo + ": " + e.what());
    }
  }
  return resultado;
}

TResultadoRemocao RemoverCertificadoRepositorio(const std::string& numeroSerie,
                                                TSSLStoreLocation local, TChaveiro& chaveiro) {
  const std::string serie = Maiusculas(Aparar(numeroSerie));
  TResultadoRemocao resultado;
  for (const TEntradaRepositorio& entrada : Entradas(local)) {
    if (Maiusculas(SerieDe(entrada)) != serie) continue;
    if (::unlink(entrada.Arquivo.c_str()) != 0)
      throw ENivraDFeException("Não foi possível remover o certificado " + entrada.Arquivo + ": " +
                               std::strerror(errno));
    resultado.Arquivos.push_back(entrada.Arquivo);
  }
  // The file goes first: a password left behind by an interruption opens nothing.
  if (chaveiro.Disponivel()) {
    resultado.ChaveiroConsultado = true;
    resultado.ItemChaveiro = chaveiro.Remover(serie);
  }
  if (resultado.Arquivos.empty() && !resultado.ItemChaveiro)
    throw ENivraDFeException("Certificado \"" + numeroSerie + "\" não encontrado no repositório");
  return resultado;
}

}  // namespace nivra
