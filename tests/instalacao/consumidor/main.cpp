// A developer's program built against the installed component: sets an authoriser up and
// prints the IBGE code of its UF and the size of the embedded services table.
#include <iostream>

#include "dfe/nivra_nfe.h"

int main() {
  TNivraNFe nfe;
  auto& webServices = nfe.Configuracoes().WebServices();
  webServices.SetUF("SP");
  webServices.SetParams({});
  webServices.LerParams();
  std::cout << webServices.UFCodigo() << " " << (webServices.Params().size() > 100 ? "tabela" : "")
            << "\n";
  return 0;
}
