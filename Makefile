# The two entry points are `make run` and `make test`; both install what they
# need from Debian first (scripts/setup.sh).
JOBS      ?= $(shell nproc)
BUILD     ?= build
RUNDIR    ?= build-run
ASAN      ?= build-asan
BENCHDIR  ?= build-bench
DEBDIR    ?= build-deb
CMAKE_GEN := -G Ninja
CTEST_ARGS ?=

.PHONY: setup build run test test-release test-asan test-desktops bench install deb screenshots clean

setup:
	@bash scripts/setup.sh

build:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DHALVOSCOPE_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

# The application alone, without -Werror (a newer compiler's new warning
# must not stop it from building), in a folder of its own so that switching
# with `make test` rebuilds neither.
run: setup
	@[ -x $(RUNDIR)/halvoscope ] || echo "make run: the first build compiles the application alone (about 330 steps, 7 minutes of CPU time): about 4 minutes on 2 idle cores, seconds after that."
	@cmake -S . -B $(RUNDIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DHALVOSCOPE_BUILD_TESTS=OFF >/dev/null
	@start=$$(date +%s); cmake --build $(RUNDIR) -j $(JOBS) --target halvoscope \
	  && echo "make run: built in $$(( $$(date +%s) - start )) s"
	@bash scripts/run.sh $(RUNDIR)

test: setup test-release test-asan test-desktops

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE desktops $(CTEST_ARGS)

# The real desktops, headless: GNOME Shell and KWin of this machine and of the
# Debian roots made (once) by scripts/desktop-root.sh. ROWS=gnome50 (a CTest
# regular expression, e.g. ROWS='gnome|kwin63') runs some of them.
ROWS ?=
test-desktops: setup build
	bash scripts/desktop-root.sh ensure trixie forky
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -L desktops $(if $(ROWS),-R '$(ROWS)') $(CTEST_ARGS)

# Sanitizer run: leaks inside the system's own libraries (Mesa, fontconfig,
# Xlib) are suppressed; our own leaks still fail the test.
test-asan:
	cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DHALVOSCOPE_WERROR=ON -DHALVOSCOPE_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

bench: setup
	cmake -S . -B $(BENCHDIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DHALVOSCOPE_BUILD_TESTS=OFF -DHALVOSCOPE_BUILD_BENCH=ON
	cmake --build $(BENCHDIR) -j $(JOBS)
	bash scripts/run-bench.sh $(BENCHDIR)

screenshots: setup build
	bash scripts/screenshots.sh $(BUILD)

install: build
	cmake --install $(BUILD)

# The Debian package, built by dpkg-buildpackage from debian/ in a copy of
# the tree: $(DEBDIR)/halvoscope_<version>_<arch>.deb.
deb: setup
	JOBS=$(JOBS) bash scripts/build-deb.sh $(DEBDIR)

clean:
	rm -rf $(BUILD) $(RUNDIR) $(ASAN) $(BENCHDIR) $(DEBDIR)
