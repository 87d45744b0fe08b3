# Single entry point: `make test` installs dependencies, builds and runs every test.
BUILD     ?= build
JOBS      ?= $(shell nproc)
# Compiled objects are reused between builds and runs through ccache (installed by deps); it is
# looked for when a configure line runs, after deps. The base folder lets clones in different
# places share the cache.
CMAKE_GEN  = -G Ninja $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1

.PHONY: deps build test deb demo bench test-sanitize fuzz format-check lint clean

deps:
	scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIVRA_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian packages in $(BUILD)/pacotes, checked by lintian and run from a throw-away root
# (tests/instalacao/pacotes_deb.sh).
deb: build
	tests/instalacao/pacotes_deb.sh $(BUILD) $(BUILD)/pacotes

# The product against the local authoriser (scripts/demo.sh).
demo: deps
	BUILD=$(BUILD) scripts/demo.sh

# Every performance figure measured side by side against the local authoriser; prints the
# table and writes it, with this machine's description, to docs/performance.md.
bench: build
	$(BUILD)/bin/nivra-bench docs/performance.md

# The same suite built with Clang, under AddressSanitizer and UndefinedBehaviorSanitizer (with
# the leak suppressions of tests/sanitizer/lsan.supp for third-party process-wide caches).
test-sanitize: deps
	CXX=clang++ cmake -S . -B $(BUILD)-asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DNIVRA_WERROR=ON -DNIVRA_SANITIZE=ON
	cmake --build $(BUILD)-asan -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp \
	  ctest --test-dir $(BUILD)-asan --output-on-failure -j $(JOBS)

# Clang build of the libFuzzer targets, each run for FUZZ_SECONDS from its kept corpus
# (tests/fuzz/corpus/<target>, replayed first and never written to; new inputs go to
# $(BUILD)-fuzz/corpus/<target>).
FUZZ_SECONDS ?= 60
fuzz: deps
	CXX=clang++ cmake -S . -B $(BUILD)-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIVRA_WERROR=ON -DNIVRA_FUZZ=ON
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target nivra_fuzzers
	@for f in $$(find $(BUILD)-fuzz -type f -name 'fuzz_*' -perm -u+x); do \
	  nome=$$(basename $$f); novo=$(BUILD)-fuzz/corpus/$$nome; mkdir -p $$novo; \
	  echo "== $$f ($(FUZZ_SECONDS)s)"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$novo \
	    $$(test -d tests/fuzz/corpus/$$nome && echo tests/fuzz/corpus/$$nome) || exit 1; \
	done

# Every C++ file as .clang-format lays it out.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# clang-tidy over the library, monitor, tool and benchmark sources, with the checks of .clang-tidy as errors.
lint: build
	git ls-files 'util/*.cpp' 'xml/*.cpp' 'security/*.cpp' 'dfe/*.cpp' 'documento/*.cpp' 'nfe/*.cpp' 'resources/*.cpp' 'impressao/*.cpp' 'app/*.cpp' 'tools/*.cpp' 'bench/*.cpp' \
	  | xargs -P $(JOBS) -n 4 clang-tidy -p $(BUILD) --quiet --warnings-as-errors='*'

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz
