# make run: install what is missing, build, start the program.
# make test: install what is missing, build, run every test.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test bench clean

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

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/korvanu_bench*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" || exit 1; fi; done

clean:
	rm -rf $(BUILD)
