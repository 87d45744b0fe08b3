# Sourced by the scripts that run the product against the local authoriser.
#
# iniciar_simulador PROGRAMA PKI LOG [OPÇÕES...]: starts sefaz-simulador on a free port with the
# server certificate of the test PKI folder, its output in LOG, and waits until it listens.
# Sets `simulador` (its pid) and `url` (https://127.0.0.1:PORT); fails, showing LOG, when it
# does not start within 10 s.
iniciar_simulador() {
  local programa=$1 pki=$2 log=$3
  shift 3
  "$programa" --porta 0 --cert "$pki/servidor.pem" --chave "$pki/servidor.key" \
    --ca-clientes "$pki/ca.pem" "$@" >"$log" 2>&1 &
  simulador=$!
  url=$(endereco_ouvido "$log") || { cat "$log" >&2; return 1; }
}

# endereco_ouvido LOG: waits up to 10 s for the "ouvindo em ADDRESS" line that the simulator and
# the tests' SMTP server write when they listen, and prints ADDRESS; fails when none comes.
endereco_ouvido() {
  for _ in $(seq 100); do
    grep -q '^ouvindo em ' "$1" && break
    sleep 0.1
  done
  sed -n 's/^ouvindo em //p' "$1" | grep .
}

# parar_simulador: stops the simulator started last, if it still runs.
parar_simulador() {
  if [ -n "${simulador:-}" ]; then
    kill "$simulador" 2>/dev/null || true
    wait "$simulador" 2>/dev/null || true
    simulador=""
  fi
}
