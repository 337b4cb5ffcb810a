BUILD_DIR ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: run test deps configure build install uninstall deb bench sanitize fuzz clean

# Builds the program and what it needs (its sounds), not the tests.
run: configure
	cmake --build "$(BUILD_DIR)" -j $(JOBS) --target wavix
	"$(BUILD_DIR)/src/wavix"

test: build
	cd "$(BUILD_DIR)" && ctest --output-on-failure -j $(JOBS)

# The animations run in real windows of an X server of their own, under a
# window manager, as on a desktop.
bench: build
	bash scripts/install-deps.sh bench
	xvfb-run -a -s "-screen 0 1280x1024x24" "$(BUILD_DIR)/benchmarks/bench_demarrage"
	"$(BUILD_DIR)/benchmarks/bench_ecran"
	"$(BUILD_DIR)/benchmarks/bench_rafraichissement"
	xvfb-run -a -s "-screen 0 1920x1080x24" sh -c 'openbox & sleep 1; "$(BUILD_DIR)/benchmarks/bench_balayage"; s=$$?; kill $$!; exit $$s'
	"$(BUILD_DIR)/benchmarks/bench_harmonique"

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B "$(BUILD_DIR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX="$(PREFIX)"

build: configure
	cmake --build "$(BUILD_DIR)" -j $(JOBS)

# Installs under PREFIX (/usr/local by default; DESTDIR=... stages it) and
# keeps the list of what it put in $(BUILD_DIR)/install_manifest.txt.
install: build
	cmake --install "$(BUILD_DIR)"

# Removes exactly what the last `make install` put (same DESTDIR).
uninstall:
	cmake --build "$(BUILD_DIR)" --target uninstall

# The Debian package, built with debhelper and dpkg-buildpackage from a copy
# of the sources in DEB_DIR, which then holds wavix_<version>_<arch>.deb, its
# .buildinfo and .changes; the package is checked (lintian, its files against
# the installation rules', an install and purge in a throwaway root). The
# package's build leaves the tests out: `make test` runs them.
DEB_DIR ?= build-deb

deb:
	bash scripts/install-deps.sh deb
	bash scripts/paquet-debian.sh "$(DEB_DIR)" $(JOBS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# in a folder of its own; the first fault stops the test that met it.
# `make sanitize SANITIZE_CXX=clang++` builds it with clang, in a folder of
# its own (build-sanitize-clang), so that the two builds do not undo each other.
SANITIZE_CXX ?=
SANITIZE_DIR ?= build-sanitize$(if $(SANITIZE_CXX),-$(firstword $(subst +, ,$(notdir $(SANITIZE_CXX)))))
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SANITIZE_ENV = ASAN_OPTIONS=abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize: deps
	cmake -S . -B "$(SANITIZE_DIR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  $(if $(SANITIZE_CXX),-DCMAKE_CXX_COMPILER=$(SANITIZE_CXX)) \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE_FLAGS)"
	cmake --build "$(SANITIZE_DIR)" -j $(JOBS)
	cd "$(SANITIZE_DIR)" && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

# Every libFuzzer target for FUZZ_SECONDS each, built with clang in a folder
# of its own. An input that makes a target fail lands in fuzz/fixtures/<target>/,
# where the ordinary tests replay it.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = exercice reglages version reponses rafraichissement editeur options astuces
FUZZ_FLAGS = -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer

fuzz:
	bash scripts/install-deps.sh fuzz
	cmake -S . -B "$(FUZZ_DIR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWAVIX_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++-14 \
	  "-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
	cmake --build "$(FUZZ_DIR)" -j $(JOBS) $(addprefix --target fuzz_,$(FUZZ_TARGETS))
	$(SANITIZE_ENV) bash scripts/run-fuzz.sh "$(FUZZ_DIR)" $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf "$(BUILD_DIR)" "$(SANITIZE_DIR)" "$(FUZZ_DIR)"
