// The e-mail component's message holder.
#include "dfe/nivra_mail.h"

#include <typeinfo>

#include "util/excecoes.h"
#include "util/nome_classe.h"

void TNivraMail::Limpar() {
  FDestinatarios.clear();
  FCopias.clear();
  FResponderPara.clear();
  FAssunto.clear();
  FCorpo.clear();
  FCorpoAlternativo.clear();
  FAnexos.clear();
}

void TNivraMail::AdicionarAnexoDados(const std::string& Dados, const std::string& Nome) {
  FAnexos.push_back(TNivraMailAnexo{Nome, Dados, {}});
}

void TNivraMail::AdicionarAnexoArquivo(const std::string& Arquivo) {
  FAnexos.push_back(TNivraMailAnexo{{}, {}, Arquivo});
}

void TNivraMail::Enviar() {
  throw ENivraDFeException("Método \"Enviar\" não implementado em: " + NomeDaClasse(typeid(*this)));
}
