# The two commands a newcomer needs: `make play` and `make test`.
.PHONY: play test deps clean

deps:
	@tools/install-deps.sh

play: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/vexmoor

test: deps
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

clean:
	rm -rf build
