# Shared by the scripts: steps, failures, the source files and their date.
# Sourced by the scripts: one line for each step while it runs, and its whole
# output only when it fails, kept in build/logs/.
# shellcheck shell=bash
# A command that fails inside $(...) stops the script too, as it does outside
# (bash turns errexit off there unless told otherwise).
shopt -s inherit_errexit
script_name=$(basename "$0")

fail() {
    echo "$script_name: $*" >&2
    exit 1
}

# Fails naming the first of the given commands that is not on PATH.
need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it; see scripts/lib/packages.sh)"
    done
}

# The clock every step's title is shown against: minutes and seconds since the
# outermost script started (or since CI's leg did), so that a log shows where
# the time goes, silent steps included, in the scripts it calls too.
export QUORVANE_CLOCK_START=${QUORVANE_CLOCK_START:-$(date +%s)}

# say TEXT: TEXT on a line of its own, against that clock.
say() {
    local elapsed=$(($(date +%s) - QUORVANE_CLOCK_START))
    printf '[%2d:%02d] %s\n' $((elapsed / 60)) $((elapsed % 60)) "$1"
}

# step TITLE COMMAND...: runs COMMAND with no standard input and its output in
# a log, printed in full if it fails. An empty title runs silently.
step() {
    local title=$1
    shift
    [ -z "$title" ] || say "$title"
    mkdir -p build/logs
    local log=build/logs/$script_name.log
    if ! "$@" >"$log" 2>&1 </dev/null; then
        cat "$log" >&2
        fail "failed: $* (output above, also in $log)"
    fi
}

# Whether this tree is a git checkout of its own (not an unpacked source
# archive, which has no git). git names its top level with symlinks
# resolved, so a checkout reached through one is compared as resolved too.
in_git_checkout() {
    command -v git >/dev/null && [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]
}

# The files of this tree's source, one a line: in a git checkout, those git
# tracks (as they are on disk: scripts/chroot/in-debian-chroot carries changes not
# yet committed into its chroot, to be tested there); in an unpacked source
# archive, those the archive listed in .source-files. Nothing else, never an
# untracked or ignored file.
source_files() {
    if in_git_checkout; then
        LC_ALL=C comm -23 <(git ls-files --deduplicate) <(git ls-files --deleted)
    elif [ -f .source-files ]; then
        cat .source-files
    else
        fail "$PWD is neither a git checkout nor an unpacked source archive (with .source-files): its source files are unknown"
    fi
}

# A release holds the commit's source, exactly. In a git checkout with
# changes not committed, it stops naming them, unless
# QUORVANE_ALLOW_UNCOMMITTED=1 asks for them to be released as they are.
require_committed() {
    in_git_checkout || return 0
    local changes
    changes=$(git status --porcelain --untracked-files=no)
    [ -n "$changes" ] || return 0
    if [ "${QUORVANE_ALLOW_UNCOMMITTED:-}" = 1 ]; then
        printf '%s\n' "$script_name: releasing changes that are not committed, as QUORVANE_ALLOW_UNCOMMITTED=1 asks:" "$changes" >&2
        return 0
    fi
    printf '%s\n' "$script_name: a release holds the commit's source, and these changes are not committed:" "$changes" \
        "Commit them, or set QUORVANE_ALLOW_UNCOMMITTED=1 to release them as they are." >&2
    exit 1
}

# The date of the newest entry of cmake/debian/changelog, as written there.
newest_changelog_date() {
    sed -n 's/^ -- .*>  //p' cmake/debian/changelog | head -n 1
}

# Exports SOURCE_DATE_EPOCH, the time every package is stamped with, so that
# the same source gives the same bytes: as given, else the last commit's, else
# (in a source archive, without git) the one recorded in .source-date-epoch,
# else the date of the changelog's newest entry.
export_source_date_epoch() {
    if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
        if in_git_checkout; then
            SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
        elif [ -s .source-date-epoch ]; then
            SOURCE_DATE_EPOCH=$(cat .source-date-epoch)
        else
            SOURCE_DATE_EPOCH=$(date -d "$(newest_changelog_date)" +%s) || fail "cmake/debian/changelog has no dated entry"
        fi
    fi
    [[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] || fail "SOURCE_DATE_EPOCH is '$SOURCE_DATE_EPOCH', not a number of seconds"
    export SOURCE_DATE_EPOCH
}

# write_checksums FOLDER FILE...: FOLDER/SHA256SUMS for the files in FOLDER,
# as sha256sum -c reads it; printed too.
write_checksums() {
    local folder=$1
    shift
    (cd "$folder" && sha256sum -- "$@") >"$folder/SHA256SUMS"
    cat "$folder/SHA256SUMS"
}

# Whether this machine runs a Debian release older than 13.
debian_before_13() {
    local release
    release=$(. /etc/os-release && echo "${ID:-}:${VERSION_ID:-}")
    [[ $release =~ ^debian:([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -lt 13 ]
}

# The Windows release is built against Debian 13's Qt, from the commit's
# source (require_committed, here on the host). On an older Debian, the
# calling script runs again, with the same arguments, in a Debian 13 chroot
# (scripts/chroot/in-debian-chroot, which carries in the source files and the date
# decided on the host), the release it makes in build/windows is brought
# back, and the calling script ends there. A Qt for Windows of the user's own
# (QUORVANE_WINDOWS_QT) is built against here.
#   build_windows_on_debian_13 "$@"
build_windows_on_debian_13() {
    require_committed
    [ -z "${QUORVANE_WINDOWS_QT:-}" ] || return 0
    debian_before_13 || return 0
    bash scripts/chroot/in-debian-chroot --bring-back build/windows trixie bash "scripts/$script_name" "$@"
    exit 0
}

# This machine's Debian release as a buildinfo names it:
# "Debian GNU/Linux 13 (trixie)".
debian_release_name() {
    (. /etc/os-release && echo "${NAME:-} ${VERSION_ID:-} (${VERSION_CODENAME:-})")
}

# compare_buildinfo FILE COMMAND...: whether COMMAND prints this
# environment as FILE records it; names what differs, and fails, if not.
compare_buildinfo() {
    local file=$1 differences
    shift
    if ! differences=$(diff "$file" <("$@")); then
        printf '%s\n' "$script_name: this environment differs from $file ('<' recorded there, '>' here):" "$differences" >&2
        exit 1
    fi
    echo "$script_name: this environment is the one $file records"
}

# The code name of this machine's Debian release (bookworm, trixie).
release_codename() {
    (. /etc/os-release && echo "${VERSION_CODENAME:-}")
}

# Whether this is a chroot that scripts/chroot/in-debian-chroot made and
# entered.
in_debian_chroot() {
    [ "${QUORVANE_CHROOT:-}" = 1 ]
}

# in_cross_chroot RELEASE ARCH: whether this is a chroot of Debian RELEASE
# whose dpkg has ARCH added (scripts/chroot/in-debian-chroot --architectures), where
# Quorvane is cross-built for ARCH.
in_cross_chroot() {
    [ "$(release_codename)" = "$1" ] &&
        dpkg --print-foreign-architectures | grep -qx "$2"
}

# Compiles the builds configured from here on through ccache, kept in the
# cache folder: CI makes every build afresh in a new clone, and most of it
# compiles what an earlier run compiled. A package's objects come out the same
# through the cache (its builds carry no debug information and name no path).
# QUORVANE_COMPILE_CACHE=off compiles without it: scripts/check-reproducible's
# second build must share nothing with the first. A clone elsewhere hits the
# same entries: paths are taken relative to the tree, and the suites' debug
# information keeps the first builder's folder, which no package holds.
compile_through_cache() {
    if [ "${QUORVANE_COMPILE_CACHE:-}" = off ]; then
        unset CMAKE_CXX_COMPILER_LAUNCHER
        return
    fi
    need ccache
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_DIR=${XDG_CACHE_HOME:-$HOME/.cache}/quorvane/ccache \
        CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true CCACHE_MAXSIZE=2G
}
