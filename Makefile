# make run   installs what is missing (X11 and Wayland platform plugins included), builds in Release and starts Zelmaro (needs a desktop session)
# make test  installs what is missing, builds, and runs every test (unit, sanitizer, end-to-end)
# make deb   builds the Debian package (build/release/zelmaro_<version>_<arch>.deb)
# make test-debian13  runs the set-up and `make test` in a Debian 13 chroot (build/debian13)
# make windows  installs what is missing and cross-builds the Windows program in Release: build/windows/zelmaro.exe,
#               its installer zelmaro-<version>-setup.exe and the portable zelmaro-<version>-portable.zip
JOBS ?= $(shell nproc)
RELEASE := build/release
SANITIZE := build/sanitize

.PHONY: run test deps deps-test deps-deb release sanitize unit e2e deb package-test fuzz bench clean \
	deps-windows windows test-windows test-debian13

deps:
	scripts/install-deps.sh run

deps-test:
	scripts/install-deps.sh test

release:
	cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELMARO_TESTS=OFF
	cmake --build $(RELEASE) -j $(JOBS) --target zelmaro

run: deps release
	$(RELEASE)/zelmaro

sanitize:
	cmake -S . -B $(SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELMARO_SANITIZE=ON -DZELMARO_BENCHMARKS=OFF
	cmake --build $(SANITIZE) -j $(JOBS)

unit: sanitize
	cd $(SANITIZE) && QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure

e2e: release
	ZELMARO_BIN=$(CURDIR)/$(RELEASE)/zelmaro tests/e2e/run_all.sh

deps-deb:
	scripts/install-deps.sh deb

deb: deps-deb release
	rm -f $(RELEASE)/zelmaro_*.deb
	cmake --build $(RELEASE) -j $(JOBS) --target package

# The package as users get it: lintian, its files, and the program run from it.
package-test: deb
	timeout -k 5 300 tests/package/test_package.sh $(CURDIR)/$(RELEASE)/zelmaro_*.deb

# Each parser of outside input under libFuzzer with the sanitizers, FUZZ_SECONDS each.
FUZZ := build/fuzz
FUZZ_SECONDS ?= 30
FUZZERS := proc_stat colour_value settings_value
fuzz:
	CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMARO_FUZZ=ON \
	  -DZELMARO_TESTS=OFF -DZELMARO_BENCHMARKS=OFF
	cmake --build $(FUZZ) -j $(JOBS) $(addprefix --target fuzz_,$(FUZZERS))
	for f in $(FUZZERS); do \
	  mkdir -p $(FUZZ)/corpus/$$f; \
	  echo "== fuzz_$$f ($(FUZZ_SECONDS) s)"; \
	  $(FUZZ)/fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -max_len=65536 \
	    -print_final_stats=1 $(FUZZ)/corpus/$$f fuzz/seeds/$$f >$(FUZZ)/$$f.log 2>&1 \
	    || { tail -40 $(FUZZ)/$$f.log; exit 1; }; \
	  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|INFO: Done)" $(FUZZ)/$$f.log; \
	done

# The Windows build: mingw-w64 cross compiler, static runtime, tests run under Wine.
WINDOWS := build/windows
deps-windows:
	scripts/install-deps.sh windows

windows: deps-windows
	cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake
	cmake --build $(WINDOWS) -j $(JOBS)

# The unit tests under Wine, then zelmaro.exe, its installer and its command line as a user
# meets them (Xvfb, openbox, trayer; the stand-in /proc/stat needs root).
test-windows: windows
	scripts/wine-ctest.sh $(WINDOWS)
	timeout -k 5 300 tests/windows/test_program.sh $(WINDOWS)
	timeout -k 5 300 tests/windows/test_installer.sh $(WINDOWS)
	timeout -k 5 300 tests/windows/test_icon_menu.sh $(WINDOWS)
	timeout -k 5 300 tests/windows/test_window_end.sh $(WINDOWS)
	timeout -k 5 300 tests/windows/test_display_scale.sh $(WINDOWS)

test: deps-test unit test-windows e2e fuzz package-test

# The README's set-up and `make test` on Debian 13, in a chroot made with debootstrap and kept in
# build/debian13 (needs root; run by hand, not by CI: a first run takes about 40 minutes).
test-debian13:
	scripts/install-deps.sh debian13
	scripts/test-debian13.sh

bench:
	scripts/install-deps.sh bench
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELMARO_TESTS=OFF
	cmake --build build/bench -j $(JOBS) --target zelmaro_bench zelmaro bare_loop stat_feeder qt_tray_reference
	build/bench/zelmaro_bench
	scripts/overhead.sh build/bench

clean:
	rm -rf build
