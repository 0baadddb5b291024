import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.lang.management.ManagementFactory;
import java.nio.ByteBuffer;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Random;

/**
 * Fuzzes the compile service's request reader from a fixed seed: whole requests, then flipped,
 * cut, lengthened and lying lengths, and plain noise. Fails when reading throws anything but its
 * rejection, allocates more than a few times the bytes it was given, or misreads a whole request
 * (an AssertionError names the input). Use: CompileRequestFuzz [ITERATIONS [SEED]]
 */
public final class CompileRequestFuzz {
    public static void main(String[] args) throws IOException {
        final int iterations = args.length > 0 ? Integer.parseInt(args[0]) : 20000;
        final long seed = args.length > 1 ? Long.parseLong(args[1]) : 19;
        final Random random = new Random(seed);
        final var threads = (com.sun.management.ThreadMXBean) ManagementFactory.getThreadMXBean();
        for (int i = 0; i < iterations; ++i) {
            final List<String> fields = new ArrayList<>();
            final byte[] whole = request(random, fields);
            final boolean pristine = random.nextInt(4) == 0;
            final byte[] input = pristine ? whole : mutate(random, whole);
            final long before = threads.getCurrentThreadAllocatedBytes();
            CompileRequest request = null;
            try {
                request = CompileRequest.read(
                        new ByteArrayInputStream(input), StandardCharsets.UTF_8);
            } catch (CompileRequest.Malformed rejected) {
                // the one way to refuse
            } catch (Throwable e) {
                throw new AssertionError("input " + i + " threw", e);
            }
            if (threads.getCurrentThreadAllocatedBytes() - before > 4L * input.length + (1 << 20))
                throw new AssertionError("input " + i + " allocated too much");
            if (pristine && (request == null || !fields.equals(fieldsOf(request))))
                throw new AssertionError("whole input " + i + " did not read back");
        }
        System.out.println(iterations + " inputs from seed " + seed + ": no fault");
    }

    // The texts of a request in their order, comparable as strings.
    private static List<String> fieldsOf(CompileRequest request) {
        final List<String> fields = new ArrayList<>(request.locale);
        fields.add(request.encoding);
        for (CompileRequest.Source source : request.sources) {
            fields.add(source.name());
            fields.add(StandardCharsets.ISO_8859_1.decode(source.text().duplicate()).toString());
        }
        return fields;
    }

    // A whole request; fields gets its texts as fieldsOf gives them.
    private static byte[] request(Random random, List<String> fields) throws IOException {
        final ByteArrayOutputStream body = new ByteArrayOutputStream();
        final DataOutputStream out = new DataOutputStream(body);
        for (int i = 0; i < CompileRequest.LOCALE_VARIABLES; ++i)
            fields.add(random.nextBoolean() ? "" : "de_DE.UTF-8");
        fields.add(CompileRequest.ENCODINGS.get(random.nextInt(CompileRequest.ENCODINGS.size())));
        for (String field : fields) write(out, field.getBytes(StandardCharsets.UTF_8));
        final int sources = 1 + random.nextInt(3);
        out.writeInt(sources);
        for (int i = 0; i < sources; ++i) {
            final String name = "/home/ü ser/My \"Apps\"/Class" + random.nextInt(100) + ".java";
            final byte[] text = new byte[random.nextInt(2000)];
            random.nextBytes(text);
            write(out, name.getBytes(StandardCharsets.UTF_8));
            write(out, text);
            fields.add(name);
            fields.add(new String(text, StandardCharsets.ISO_8859_1));
        }
        final ByteArrayOutputStream request = new ByteArrayOutputStream();
        request.write("TZC2".getBytes(StandardCharsets.US_ASCII));
        write(new DataOutputStream(request), body.toByteArray());
        return request.toByteArray();
    }

    private static void write(DataOutputStream out, byte[] bytes) throws IOException {
        out.writeInt(bytes.length);
        out.write(bytes);
    }

    private static byte[] mutate(Random random, byte[] bytes) {
        final byte[] copy = bytes.clone();
        switch (random.nextInt(5)) {
            case 0 -> copy[random.nextInt(copy.length)] ^= (byte) (1 << random.nextInt(8));
            case 1 -> {
                return Arrays.copyOf(copy, random.nextInt(copy.length));
            }
            case 2 -> {
                // A length that lies (the request's own or any): huge, negative, a little off.
                final int[] lies = {Integer.MAX_VALUE, -1, CompileRequest.MAX_BYTES,
                        CompileRequest.MAX_BYTES + 1, random.nextInt(), random.nextInt(64)};
                final int at = random.nextBoolean() ? 4 : random.nextInt(copy.length - 3);
                ByteBuffer.wrap(copy).putInt(at, lies[random.nextInt(lies.length)]);
            }
            case 3 -> {
                final byte[] longer = Arrays.copyOf(copy, copy.length + 1 + random.nextInt(64));
                for (int k = copy.length; k < longer.length; ++k)
                    longer[k] = (byte) random.nextInt();
                return longer;
            }
            default -> {
                final byte[] noise = new byte[4 + random.nextInt(256)];
                random.nextBytes(noise);
                if (random.nextBoolean()) System.arraycopy(copy, 0, noise, 0, 4);
                return noise;
            }
        }
        return copy;
    }
}
