// Access to the texts compiled into the library from resources/.
#include "nivranfe/resources/recursos.h"

#include <cstddef>

namespace nivra {

namespace recursos {
extern const char kNivraNFeServicos[];
extern const std::size_t kNivraNFeServicosTamanho;
}  // namespace recursos

std::string_view RecursoNivraNFeServicos() {
  return {recursos::kNivraNFeServicos, recursos::kNivraNFeServicosTamanho};
}

}  // namespace nivra
