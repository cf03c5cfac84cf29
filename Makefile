# make run: install what is missing, build, start the program.
# make test: install what is missing, build with warnings as errors, run every
#   test; then build everything again and run every test under
#   AddressSanitizer and UndefinedBehaviorSanitizer (SANITIZE_GUI=OFF: only
#   the Qt-free code and its tests).
# make fuzz: build the fuzz targets with clang and run each FUZZ_SECONDS.
# make package: the .deb; make install-check installs it, starts it, removes it.
BUILD ?= build
SANITIZE_BUILD ?= $(BUILD)-sanitize
SANITIZE_GUI ?= ON
FUZZ_BUILD ?= $(BUILD)-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test sanitize-test fuzz package install-check bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set): start the window with 'xvfb-run make run' or on a desktop."; \
	  if [ -x $(BUILD)/korvanu-cli ]; then \
	    echo "Meanwhile, the default problem computed by the command-line tool:"; \
	    mkdir -p $(BUILD)/default && cd $(BUILD)/default && ../korvanu-cli new Default.krv && ../korvanu-cli compute Default.krv; \
	  fi; \
	else \
	  $(BUILD)/korvanu; \
	fi

test: deps $(BUILD)/CMakeCache.txt
	cmake -S . -B $(BUILD) -DKORVANU_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize-test

$(SANITIZE_BUILD)/CMakeCache.txt:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
	  -DKORVANU_SANITIZE=ON -DKORVANU_WERROR=ON -DKORVANU_BENCH=OFF -DKORVANU_GUI=$(SANITIZE_GUI)

# LeakSanitizer passes over what fontconfig keeps to the end, and nothing else.
sanitize-test: deps $(SANITIZE_BUILD)/CMakeCache.txt
	cmake -S . -B $(SANITIZE_BUILD) -DKORVANU_GUI=$(SANITIZE_GUI) >/dev/null
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

$(FUZZ_BUILD)/CMakeCache.txt:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DKORVANU_FUZZ=ON -DKORVANU_GUI=OFF -DKORVANU_BENCH=OFF

fuzz: deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target korvanu_fuzz_datafile korvanu_fuzz_stepfile \
	  korvanu_fuzz_computation
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS) $(if $(FUZZ_KEEP),--keep)

package: build
	cmake --build $(BUILD) --target package

install-check: package
	scripts/check-installed-package $(BUILD)/korvanu_*.deb

bench: build
	@for b in $(BUILD)/bench/korvanu_bench*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" || exit 1; fi; done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
