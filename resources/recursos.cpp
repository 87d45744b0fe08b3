// Access to the texts compiled into the library from resources/.
#include "resources/recursos.h"

#include <cstddef>

namespace nivra::recursos {
extern const char kNivraNFeServicos[];
extern const std::size_t kNivraNFeServicosTamanho;
}  // namespace nivra::recursos

std::string_view RecursoNivraNFeServicos() {
  return {nivra::recursos::kNivraNFeServicos, nivra::recursos::kNivraNFeServicosTamanho};
}
