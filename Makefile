# Front door: `make run` starts KAVELO on the bundled data, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench data clean

all: build

deps:
	@bash tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The program runs in run/, a git-ignored working folder holding a copy of the
# bundled DATA folder, so that its own writes never touch tracked files.
run: build
	@mkdir -p run
	@if [ ! -d run/DATA ]; then cp -r data/DATA run/DATA; fi
	cd run && ../$(BUILD)/kavelo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/kavelo_bench

data: build
	$(BUILD)/tools/kavelo_databuilder data/DATA

clean:
	rm -rf $(BUILD)
