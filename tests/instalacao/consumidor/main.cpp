// A developer's program built against the installed component: sets an authoriser up and
// prints the IBGE code of its UF, the services table it read and the schema folder it uses,
// both found where the package put them.
#include <nivranfe/dfe/nivra_nfe.h>

#include <iostream>

int main() {
  nivra::TNivraNFe nfe;
  auto& webServices = nfe.Configuracoes().WebServices();
  webServices.SetUF("SP");
  webServices.SetParams({});
  webServices.LerParams();
  std::cout << webServices.UFCodigo() << " " << webServices.OrigemParams() << " "
            << nfe.Configuracoes().Arquivos().PathSchemas() << "\n";
  return 0;
}
