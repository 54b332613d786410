"""Literal, unoptimised Python model of Zarneth's voice-print engine.

It exists only to produce reference values for the C++ tests. Every
formula is written out in the same order of operations as the algorithm
text (left to right, usual precedence), with plain Python floats, and
math.* functions that call the C library, so the numbers match a careful
C++ transcription bit for bit.
"""
import math

BIG = 1e30

# ---------------------------------------------------------------------------
# Process-wide tables (all zero until BuildFilters runs).
# ---------------------------------------------------------------------------
COS = [0.0] * 256            # cos(2*pi*i/256)
SIN = [0.0] * 256            # -sin(2*pi*i/256), the forward twiddle
HammingWindow = [0.0] * 256  # Hamming(256, i)
filt_edge = [0.0] * 18       # filter edge frequencies, evenly spaced in mel
left_apex = [0.0] * 16       # left edge of each filter on the 31 Hz grid
width = [0] * 16             # number of weights each filter uses
filter_coeffs = [[0.0] * 256 for _ in range(16)]  # weights, bin by bin


def trunc(x):
    """Double to signed integer, rounding toward zero."""
    return int(x)


def Hamming(N, n):
    """One point of an N-point Hamming window."""
    return 0.54 + (-0.46) * math.cos(((2 * math.pi) * n) / (N - 1))


def Mel(f):
    """Hz to mel."""
    return 2595.0 * math.log10(1 + f / 700.0)


def MelInv(m):
    """Mel to Hz."""
    return (math.pow(10.0, m / 2595.0) - 1) * 700.0


def Q(x):
    """Round a frequency to the nearest multiple of 31 Hz (the bin grid)."""
    return 31.0 * trunc(x / 31.0 + 0.5)


def BuildFilters():
    """Fill the window, twiddle and mel filter tables."""
    # Window and twiddles; the angle step is the literal 2*pi/256.
    for i in range(256):
        HammingWindow[i] = Hamming(256, i)
        theta = i * 0.02454369260617026
        SIN[i] = -math.sin(theta)
        COS[i] = math.cos(theta)
    # 18 edges equally spaced on the mel scale between 200 and 4000 Hz.
    m_lo = Mel(200.0)
    m_hi = Mel(4000.0)
    step = (m_hi - m_lo) / 17.0
    for j in range(18):
        filt_edge[j] = MelInv(m_lo + j * step)
    # Triangular filters sampled every 31 Hz from the left edge (weight 0)
    # up to but not including the right edge; height makes unit area.
    for j in range(16):
        a = Q(filt_edge[j])
        b = Q(filt_edge[j + 1])
        c = Q(filt_edge[j + 2])
        left_apex[j] = a
        h = 2.0 / (c - a)
        r = s = 0.0
        if a != b:
            r = h / (b - a)           # rising slope
        if b != c:
            s = h / (b - c)           # falling slope, negative
        t = Q(a)
        k = 0
        while t < b:
            filter_coeffs[j][k] = r * (t - a)
            k += 1
            t += 31.0
        if t == b:
            filter_coeffs[j][k] = h
            k += 1
            t += 31.0
        while t < c:
            filter_coeffs[j][k] = s * (t - c)
            k += 1
            t += 31.0
        width[j] = k


def FourierTransform(re, im, n):
    """In-place radix-2 decimation-in-time forward FFT, n must be 256."""
    # Bit-reversal reordering.
    j = 0
    for i in range(n - 1):
        if i < j:
            re[i], re[j] = re[j], re[i]
            im[i], im[j] = im[j], im[i]
        k = n // 2
        while k <= j:
            j -= k
            k //= 2
        j += k
    # Eight butterfly stages.
    for s in range(1, 9):
        span = 2 ** s
        half = 2 ** (s - 1)
        stride = n // span
        for i in range(half):
            t = i * stride
            p = i
            while p < n:
                q = p + half
                if i == 0:
                    tr, ti = re[q], im[q]
                else:
                    tr = re[q] * COS[t] - im[q] * SIN[t]
                    ti = re[q] * SIN[t] + COS[t] * im[q]
                re[q] = re[p] - tr
                im[q] = im[p] - ti
                re[p] = re[p] + tr
                im[p] = im[p] + ti
                p += span


def GetMFCC(P, out, index):
    """16 mel filter energies of the 128-bin power spectrum P."""
    for i in range(16):
        f = trunc(left_apex[i] / 31.0 + 0.5)   # first bin of filter i
        out[index + i] = 0.0
        for j in range(width[i]):
            if f + j <= 127:                   # bins past 127 are dropped
                out[index + i] += filter_coeffs[i][j] * P[f + j]


def Cepstrum(inp, out, count):
    """Log, DCT-II over the 16 energies, then a sinusoidal lifter."""
    N = float(count)
    for i in range(count):
        total = 0.0
        for j in range(1, 17):
            x = inp[j - 1]
            lg = math.log(x) if x > 0 else -100000.0
            total += lg * math.cos((i * 0.19634954084936207) * (j - 0.5))
        out[i] = total * 0.3535533905932738
        out[i] = out[i] * (1 + (N * math.sin((i * math.pi) / N)) * 0.5)


def power(re, im, k):
    """|X_k| squared."""
    return re[k] * re[k] + im[k] * im[k]


def calculate_voice_print(data):
    """Big-endian 16-bit mono bytes -> (status, flat list of ints)."""
    # 1. Nothing recorded.
    if len(data) == 0:
        return 10, []
    # 2. Signed big-endian samples.
    n = len(data) // 2
    smp = []
    for i in range(n):
        v = (data[2 * i] << 8) | data[2 * i + 1]
        if v >= 32768:
            v -= 65536
        smp.append(v)
    # 3. Drop everything up to and including the first run of ten
    #    consecutive nonzero samples; a zero restarts the run.
    r = 0
    start = 0
    i = 0
    while r < 10 and i < n:
        if smp[i] == 0:
            r = 0
        else:
            r += 1
            start = i + 1
        i += 1
    u = n - start
    x = [smp[start + j] * 3.0517578125e-05 for j in range(u)]
    # 4. Peak normalisation gain.
    peak = 0.0
    for v in x:
        if abs(v) > peak:
            peak = abs(v)
    gain = 0.95 / peak if peak != 0 else 1.0
    # 5. Frames of 256 samples, hop 128.
    blocks = trunc(u / 128)
    F = blocks - 1
    if F <= 0:
        return 0, []
    A = [[0.0] * F for _ in range(128)]   # spectrogram, A[bin][frame]
    B = [[0.0] * F for _ in range(16)]    # cepstral rows, B[row][frame]
    E = 0.0
    T = 0.0
    for f in range(F):
        # 6. Windowed frame, transformed.
        re = [0.0] * 256
        im = [0.0] * 256
        for k in range(256):
            re[k] = gain * x[128 * f + k] * HammingWindow[k]
            im[k] = 0.0
        FourierTransform(re, im, 256)
        if f < 2:
            # 7. Noise frames: accumulate energy; spectrogram column and
            #    cepstral row stay zero.
            S = 0.0
            for k in range(1, 128):
                S += power(re, im, k) + power(re, im, 256 - k)
            E += power(re, im, 0) + S
            continue
        if f == 2:
            # 8. Noise offset in dB, fixed once before frame 2 is used.
            if E == 0:
                T = -50.0
            else:
                Ep = E / 0.54 / 0.54 * 0.0078125 * 0.5
                T = 20 * math.log(Ep) / -2.302585093 + 3.0
        # 9. Power spectrum, spectrogram column, cepstral row.
        P = [0.0] * 128
        P[0] = power(re, im, 0)
        for k in range(1, 128):
            P[k] = (power(re, im, k) + power(re, im, 256 - k)) / 0.54 / 0.54
        for b in range(128):
            if P[b] == 0:
                A[b][f] = 0.0
            else:
                L = 20 * math.log(P[b]) / 2.302585093
                A[b][f] = (T + L) * 255.0 / T if L > -T else 0.0
        e = [0.0] * 16
        c = [0.0] * 16
        GetMFCC(P, e, 0)
        Cepstrum(e, c, 16)
        B[0][f] = 0.0
        for m in range(1, 14):
            B[m][f] = c[m]
        B[14][f] = 0.0
        B[15][f] = 0.0
    # 10. Band levels and per-frame energy.
    C = [[0.0] * F for _ in range(16)]
    for f in range(F):
        for k in range(16):
            total = 0.0
            for l in range(8):
                total += A[8 * k + l][f]
            C[k][f] = 0.125 * total
    maxE = -1.0
    minE = 300.0
    for k in range(16):
        for f in range(F):
            if C[k][f] > maxE:
                maxE = C[k][f]
            if C[k][f] < minE:
                minE = C[k][f]
    thr = (maxE - minE) * 0.2 + minE
    rng = maxE - thr
    en = [0] * F
    for f in range(F):
        if rng == 0:
            en[f] = 0            # all band levels equal: no speech
            continue
        total = 0.0
        for k in range(16):
            v = (C[k][f] - thr) * 255.0 / rng
            if v < 0:
                v = 0.0
            elif v > 255:
                v = 255.0
            elif v < 32:
                v = 0.0
            total += v
        en[f] = trunc(total)
    # 11. Endpoints: first and last frame whose energy exceeds 512.
    speech = [f for f in range(F) if en[f] > 512]
    if speech:
        first, last = speech[0], speech[-1]
    else:
        first, last = 0, F - 1
    # 12. Scale the kept coefficients to integers of about +-255.
    maxC = -100000.0
    minC = 100000.0
    for f in range(first, last + 1):
        for m in range(16):
            if B[m][f] > maxC:
                maxC = B[m][f]
            if B[m][f] < minC:
                minC = B[m][f]
    scale = float(max(abs(trunc(minC)), abs(trunc(maxC))))
    out = []
    for f in range(first, last + 1):
        for m in range(16):
            if scale == 0:
                out.append(0)    # every coefficient within (-1, 1)
            else:
                out.append(trunc(255.0 * B[m][f] / scale))
    # 13. Result.
    return 0, out


def Distance(p, i, q, j, dim):
    """Squared Euclidean distance between frame i of p and frame j of q."""
    total = 0.0
    for k in range(dim):
        d = float(p[i * dim + k] - q[j * dim + k])
        total += d * d
    return total


def DTW(p, n, q, m, dim):
    """Slope-constrained dynamic time warping cost of p (n) against q (m)."""
    if n < 2 or m < 2:
        return BIG
    D = [[Distance(p, i, q, j, dim) for j in range(m)] for i in range(n)]
    G = [[0.0] * m for _ in range(n)]
    G[0][0] = D[0][0]
    for j in range(1, m):
        G[0][j] = BIG
    G[1][0] = BIG
    G[1][1] = G[0][0] + D[1][1]
    for j in range(2, m):
        G[1][j] = BIG
    for i in range(2, n):
        G[i][0] = BIG
        G[i][1] = G[i - 1][0] + D[i][1]
        for j in range(2, m):
            d = D[i][j]
            a = G[i - 2][j - 1] + D[i - 1][j] + d
            b = d + G[i - 1][j - 1]
            c = d + (G[i - 1][j - 2] + D[i][j - 1])
            if a < b and a < c:
                G[i][j] = a
            elif b < c:
                G[i][j] = b
            else:
                G[i][j] = c
    return G[n - 1][m - 1]


def distance_from_voice_print(a, b):
    """Distance of print a (the receiver) from print b (None allowed)."""
    if b is None:
        return BIG
    p = list(a)
    q = list(b)
    n = len(p) // 16
    m = len(q) // 16
    if n > 3 * m or m > 3 * n:
        return BIG
    return DTW(p, n, q, m, 16)
